#pragma once
// What the database's start-up work shows and asks: the status window
// frmDBRepairStatus, message boxes and the system beep. The application
// implements it with windows; tests answer from a script.

#include "TableView.h"

#include <string>
#include <string_view>

namespace vemo {

class MaintenanceUi {
public:
    virtual ~MaintenanceUi() = default;
    // frmDBRepairStatus shown without waiting (true) or unloaded (false).
    virtual void ShowRepairStatus(bool visible) = 0;
    // lbDBOperation: the current operation and the file; the window repaints.
    virtual void SetOperation(std::string_view text) = 0;
    // A modal message box; answers "OK", "CANCEL", "YES" or "NO".
    virtual std::string ShowMessageBox(const MessageBoxSpec& box) = 0;
    virtual void Beep() = 0;
    // Called now and then during long work, so the window stays painted.
    virtual void Tick() {}
    // What a repair kept; stays readable until the start-up is over.
    virtual void ShowRepairResult(std::string_view text) { SetOperation(text); }
};

} // namespace vemo
