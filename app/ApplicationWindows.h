#pragma once
// The application's windows as the table opens them: the new-game setup, the
// saved-games list, best scores, help and About.

#ifndef Q_MOC_RUN
#include "GameEngine.h"
#include "TableShell.h"
#endif

#include <set>

namespace vemo {

class ExitSequence;
class GameDatabase;
class GameRecordsStore;
class frmMain;

class ApplicationWindows final : public TableShell, public WaitCanceller {
public:
    ApplicationWindows(frmMain& table, GameEngine& engine, GameDatabase& database, GameRecordsStore& records,
                       ExitSequence& exitSequence);

    bool StartGameSetup(PendingWait& wait) override;
    bool StartResumeList(PendingWait& wait) override;
    void ShowBestScores() override;
    void ShowHelp(int helpContextID) override;
    bool OpenWebSite() override;
    void ShowAbout() override;
    void TableClosed() override {}
    void CancelWait(PendingWait& wait) override { pending_.erase(&wait); }

private:
    // Completes wait unless the game was abandoned meanwhile.
    void Complete(PendingWait& wait);

    frmMain& table_;
    GameEngine& engine_;
    GameDatabase& database_;
    GameRecordsStore& records_;
    ExitSequence& exitSequence_;
    std::set<PendingWait*> pending_;
};

} // namespace vemo
