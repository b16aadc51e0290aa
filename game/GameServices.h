#pragma once
// What the engine needs from the layers above it: the stored games and the
// application's shut-down. The database layer and the application implement
// them; the simulator and the tests supply simple stand-ins.

#include "Task.h"

#include <cstdint>
#include <string>

namespace vemo {

class GameRecords {
public:
    virtual ~GameRecords() = default;
    // Appends the snapshot as a saved game and confirms it.
    virtual Task<void> SaveGame() = 0;
    // Rebuilds the game from saved game id; false when it cannot be resumed.
    virtual Task<bool> ResumeSavedGame(std::int32_t id) = 0;
};

class GameShell {
public:
    virtual ~GameShell() = default;
    // Leaves the game: save question, history, results, then play again or end.
    virtual Task<void> ExitAll(std::string mode) = 0;
};

} // namespace vemo
