#include "ApplicationWindows.h"

#include "About.h"
#include "ExitSequence.h"
#include "GameRecordsStore.h"
#include "HelpViewer.h"
#include "Version.h"
#include "frmBestScores.h"
#include "frmGameSetup.h"
#include "frmMain.h"
#include "frmResume.h"

#include <QDesktopServices>

namespace vemo {

ApplicationWindows::ApplicationWindows(frmMain& table, GameEngine& engine, GameDatabase& database,
                                       GameRecordsStore& records, ExitSequence& exitSequence)
    : table_(table), engine_(engine), database_(database), records_(records), exitSequence_(exitSequence)
{
}

void ApplicationWindows::Complete(PendingWait& wait)
{
    if (pending_.erase(&wait)) wait.Complete();
}

bool ApplicationWindows::StartGameSetup(PendingWait& wait)
{
    pending_.insert(&wait);
    wait.KeepPending(*this);
    frmGameSetup::Callbacks callbacks;
    callbacks.ResumeSavedGame = [this](std::int32_t id) { return records_.ResumeSavedGame(id); };
    callbacks.ExitGame = [this] { engine_.Start(exitSequence_.ExitAll("Start")); };
    callbacks.Help = [this] { ShowHelp(kHelpTopicSetup); };
    callbacks.SoundOn = [this] { return table_.SoundOn(); };
    callbacks.PlayWav = [this](int clip) { table_.PlayWav(clip); };
    auto* setup = new frmGameSetup(&table_, engine_, database_, std::move(callbacks), [this, &wait] { Complete(wait); });
    setup->open();
    return false;
}

bool ApplicationWindows::StartResumeList(PendingWait& wait)
{
    pending_.insert(&wait);
    wait.KeepPending(*this);
    auto* list = new frmResume(&table_, database_, table_.SoundOn(), [this](int clip) { table_.PlayWav(clip); },
                               [this, &wait](const QString& answer) {
                                   if (!pending_.count(&wait)) return;
                                   engine_.State().Tag = answer.toStdString();
                                   Complete(wait);
                               });
    list->open();
    return false;
}

void ApplicationWindows::ShowBestScores()
{
    (new frmBestScores(&table_, database_, table_.SoundOn(), [this](int clip) { table_.PlayWav(clip); }))->open();
}

void ApplicationWindows::ShowHelp(int helpContextID) { vemo::ShowHelp(&table_, helpContextID); }

bool ApplicationWindows::OpenWebSite() { return QDesktopServices::openUrl(WebSiteUrl()); }

void ApplicationWindows::ShowAbout()
{
    auto* about = new frmAbout(QString::fromLatin1(kVersionText), &table_);
    about->setAttribute(Qt::WA_DeleteOnClose);
    if (table_.SoundOn()) table_.PlayWav(12);
    QObject::connect(about, &QDialog::finished, &table_, [this] {
        if (table_.SoundOn()) table_.PlayWav(12);
    });
    about->open();
}

} // namespace vemo
