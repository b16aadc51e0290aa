// Main: the program's start-up, in the order the game has always started:
// one copy only, the splash, the database checked (and every eleventh start
// trimmed and compacted) and opened, the deck, the windows, the table.

#include "ApplicationWindows.h"
#include "DataDirectory.h"
#include "DatabaseFault.h"
#include "DatabaseUpkeep.h"
#include "Deck.h"
#include "ErrorBoxes.h"
#include "ExitSequence.h"
#include "GameDatabase.h"
#include "GameEngine.h"
#include "GameRecordsStore.h"
#include "ReportError.h"
#include "SingleInstance.h"
#include "Version.h"
#include "frmDBRepairStatus.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTimer>

#include <memory>

using namespace vemo;

namespace {

// Every pause of the game multiplied by this; for tests and demonstrations.
double TimeScale()
{
    bool ok = false;
    const double scale = qEnvironmentVariable("VEMO_TIME_SCALE").toDouble(&ok);
    return ok && scale > 0 ? scale : 1.0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vemo"));
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vemo, a card game with Bible verses against three computer players."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("data-dir"), QStringLiteral("Keep Vemo.mdb and error.log in <dir>."),
                      QStringLiteral("dir")});
    parser.process(app);

    ErrorBoxes errorBoxes;
    SetErrorReportHandler(&errorBoxes);

    // 1. One copy only: a second start brings the running copy forward.
    SingleInstance instance;
    if (!instance.IsFirst()) {
        instance.AskFirstToRaise();
        return 0;
    }

    // 2, 3. Busy pointer and the splash; the rest runs once the splash is on screen.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frmSplash splash(QString::fromLatin1(kVersionText));
    splash.show();

    GameDatabase database;
    std::unique_ptr<frmMain> table;
    std::unique_ptr<GameRecordsStore> records;
    std::unique_ptr<ExitSequence> exitSequence;
    std::unique_ptr<GameEngine> engine;
    std::unique_ptr<ApplicationWindows> windows;
    auto fail = [&](const QString& text) {
        QApplication::restoreOverrideCursor();
        if (!text.isEmpty()) QMessageBox::critical(nullptr, QStringLiteral("Vemo"), text);
        QApplication::exit(1);
    };

    QTimer::singleShot(0, &splash, [&] {
        const PreparedDataDirectory data = PrepareDataDirectory(ResolveDataDirectory(CurrentDataDirectoryInputs()),
                                                                QApplication::applicationDirPath());
        if (!data.Ok) return fail(data.Error);
        SetErrorLogDirectory(data.Directory.toStdString());

        // 4, 5. Verify (and repair), count the start, trim and compact every eleventh time.
        {
            frmDBRepairStatus status;
            if (!DatabaseStartupUpkeep(data.Directory, status)) return fail({});
        }

        // 6. The one database handle, held until the end.
        try {
            database.Open(data.DatabasePath);
        } catch (const DatabaseFault& fault) {
            return fail(QStringLiteral("The game database %1 could not be opened.\n\nError #%2 %3")
                            .arg(data.DatabasePath)
                            .arg(fault.Number())
                            .arg(QString::fromStdString(fault.Text())));
        }

        // 7, 8. The windows, the engine and the deck.
        table = std::make_unique<frmMain>(&database);
        table->SetTimeScale(TimeScale());
        records = std::make_unique<GameRecordsStore>(database);
        ExitSequence::Hooks hooks;
        hooks.Table = table.get();
        hooks.SoundOn = [&] { return table->SoundOn(); };
        hooks.PlayWav = [&](int clip) { table->PlayWav(clip); };
        hooks.CloseEverything = [&] {
            // Unloaded newest first; the database closes before the program ends.
            const auto open = QApplication::topLevelWidgets();
            for (auto it = open.rbegin(); it != open.rend(); ++it) (*it)->close();
            database.Close();
            QApplication::quit();
        };
        exitSequence = std::make_unique<ExitSequence>(database, *records, hooks);
        engine = std::make_unique<GameEngine>(*table, *records, *exitSequence);
        records->Attach(*engine);
        exitSequence->Attach(*engine);
        windows = std::make_unique<ApplicationWindows>(*table, *engine, database, *records, *exitSequence);
        table->Attach(*engine, *windows);
        QObject::connect(&instance, &SingleInstance::raiseRequested, table.get(), [&] {
            table->showNormal();
            table->raise();
            table->activateWindow();
        });
        LoadVemoCardDeck(engine->State().Deck);
        ShuffleFullDeck(engine->State().Deck);

        // 9-12. The splash stays two seconds, then the table shows and its
        // first activation opens the new-game setup.
        QTimer::singleShot(static_cast<int>(2000 * TimeScale()), table.get(), [&] {
            splash.close();
            QApplication::restoreOverrideCursor();
            table->show();
        });
    });

    const int status = app.exec();
    if (engine) engine->Activities().AbandonAll();
    return status;
}
