#include "VemoProgram.h"

#include "ApplicationWindows.h"
#include "DataDirectory.h"
#include "DatabaseFault.h"
#include "DatabaseUpkeep.h"
#include "Deck.h"
#include "ExitSequence.h"
#include "GameDatabase.h"
#include "GameRecordsStore.h"
#include "ReportError.h"
#include "Version.h"
#include "frmDBRepairStatus.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace vemo {

namespace {

// Every pause of the game multiplied by this; for tests and demonstrations.
double TimeScale()
{
    bool ok = false;
    const double scale = qEnvironmentVariable("VEMO_TIME_SCALE").toDouble(&ok);
    return ok && scale > 0 ? scale : 1.0;
}

} // namespace

VemoProgram::VemoProgram(std::function<void(int status)> ended)
    : ended_(std::move(ended)), database_(std::make_unique<GameDatabase>())
{
}

VemoProgram::~VemoProgram()
{
    // The game's suspended work goes first; the members then go newest first,
    // the engine before the table it draws on and the database last.
    if (engine_) engine_->Activities().AbandonAll();
}

void VemoProgram::Start()
{
    // 2, 3. Busy pointer and the splash; the rest runs once the splash is on screen.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    splash_ = std::make_unique<frmSplash>(QString::fromLatin1(kVersionText));
    splash_->show();
    QTimer::singleShot(0, splash_.get(), [this] { StartUp(); });
}

void VemoProgram::Fail(const QString& text)
{
    QApplication::restoreOverrideCursor();
    if (splash_) splash_->close();
    repairStatus_.reset();
    if (!text.isEmpty()) QMessageBox::critical(nullptr, QStringLiteral("Critical Error"), text);
    ended_(1);
}

void VemoProgram::StartUp()
{
    const PreparedDataDirectory data =
        PrepareDataDirectory(ResolveDataDirectory(CurrentDataDirectoryInputs()),
                             ShippedDatabaseCandidates(QApplication::applicationDirPath()));
    if (!data.Ok) return Fail(data.Error);
    SetErrorLogDirectory(data.Directory.toStdString());

    // 4, 5. Verify (and repair), count the start, trim and compact every eleventh time.
    repairStatus_ = std::make_unique<frmDBRepairStatus>(splash_.get());
    if (!DatabaseStartupUpkeep(data.Directory, *repairStatus_)) return Fail({});

    // 6. The one database handle, held until the end.
    try {
        database_->Open(data.DatabasePath);
    } catch (const DatabaseFault& fault) {
        return Fail(QStringLiteral("The game database %1 could not be opened.\n\nError #%2 %3")
                        .arg(data.DatabasePath)
                        .arg(fault.Number())
                        .arg(QString::fromStdString(fault.Text())));
    }

    // 7, 8. The windows, the engine and the deck.
    table_ = std::make_unique<frmMain>(database_.get());
    table_->SetTimeScale(TimeScale());
    records_ = std::make_unique<GameRecordsStore>(*database_);
    ExitSequence::Hooks hooks;
    hooks.Table = table_.get();
    hooks.SoundOn = [this] { return table_->SoundOn(); };
    hooks.PlayWav = [this](int clip) { table_->PlayWav(clip); };
    hooks.CloseEverything = [this] { CloseEverything(); };
    exitSequence_ = std::make_unique<ExitSequence>(*database_, *records_, hooks);
    engine_ = std::make_unique<GameEngine>(*table_, *records_, *exitSequence_);
    records_->Attach(*engine_);
    exitSequence_->Attach(*engine_);
    windows_ = std::make_unique<ApplicationWindows>(*table_, *engine_, *database_, *records_, *exitSequence_);
    table_->Attach(*engine_, *windows_);
    LoadVemoCardDeck(engine_->State().Deck);
    ShuffleFullDeck(engine_->State().Deck);

    // 9-12. The splash stays two seconds, then the table shows and its
    // first activation opens the new-game setup.
    QTimer::singleShot(static_cast<int>(2000 * TimeScale()), table_.get(), [this] {
        splash_->close();
        repairStatus_.reset();
        QApplication::restoreOverrideCursor();
        table_->show();
    });
}

void VemoProgram::CloseEverything()
{
    // Unloaded newest first; the database closes before the program ends.
    const auto open = QApplication::topLevelWidgets();
    for (auto it = open.rbegin(); it != open.rend(); ++it) (*it)->close();
    database_->Close();
    ended_(0);
}

} // namespace vemo
