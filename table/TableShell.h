#pragma once
// The windows of the application that the table opens but does not own: the
// new-game setup, the saved-games list, best scores, help and About. The
// application implements this; the table's tests supply a stand-in.

#include "Scheduler.h"

namespace vemo {

class TableShell {
public:
    virtual ~TableShell() = default;
    // frmGameSetup and frmResume; they leave their answer in the engine's Tag.
    virtual bool StartGameSetup(PendingWait& wait) = 0;
    virtual bool StartResumeList(PendingWait& wait) = 0;
    virtual void ShowBestScores() = 0;
    virtual void ShowHelp(int helpContextID) = 0;
    // Hands the maker's web site to the desktop's handler; false when it refused.
    virtual bool OpenWebSite() = 0;
    virtual void ShowAbout() = 0;
    // The window was closed for good (the exit sequence has run).
    virtual void TableClosed() = 0;
};

} // namespace vemo
