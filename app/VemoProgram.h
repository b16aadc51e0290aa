#pragma once
// The program from the splash on: the database checked (and every eleventh
// start trimmed and compacted) and opened, the deck, the windows wired to the
// engine, the two-second splash hold, the table. main() adds the application
// object and the one-copy guard; tests start it in their own process.

#ifndef Q_MOC_RUN
#include "GameEngine.h"
#endif

#include <QString>

#include <functional>
#include <memory>

namespace vemo {

class ApplicationWindows;
class ExitSequence;
class GameDatabase;
class GameRecordsStore;
class frmDBRepairStatus;
class frmMain;
class frmSplash;

class VemoProgram {
public:
    // ended gets the exit status once the program has finished: 0 after a
    // clean exit, 1 when it could not start.
    explicit VemoProgram(std::function<void(int status)> ended);
    ~VemoProgram();
    VemoProgram(const VemoProgram&) = delete;
    VemoProgram& operator=(const VemoProgram&) = delete;

    // Shows the splash; the rest follows from the event loop.
    void Start();

    // Null until the start-up has reached them.
    frmMain* Table() const { return table_.get(); }
    GameEngine* Engine() const { return engine_.get(); }
    GameDatabase& Database() const { return *database_; }

private:
    void StartUp();
    void Fail(const QString& text);
    void CloseEverything();

    // Declared in the order they are made: destroyed newest first.
    std::function<void(int)> ended_;
    std::unique_ptr<frmSplash> splash_;
    // Shown while the database is repaired or compacted; a repair's result
    // stays on it until the table shows.
    std::unique_ptr<frmDBRepairStatus> repairStatus_;
    std::unique_ptr<GameDatabase> database_;
    std::unique_ptr<frmMain> table_;
    std::unique_ptr<GameRecordsStore> records_;
    std::unique_ptr<ExitSequence> exitSequence_;
    std::unique_ptr<GameEngine> engine_;
    std::unique_ptr<ApplicationWindows> windows_;
};

} // namespace vemo
