#pragma once
// Saving a game and resuming a saved one: the engine's GameRecords kept in
// the SavedGames table.

#include "GameDatabase.h"
#include "GameEngine.h"
#include "GameServices.h"
#include "SavedGameRecord.h"

namespace vemo {

// The engine takes its GameRecords when it is built, so the store is built
// first and attached to the engine afterwards.
class GameRecordsStore final : public GameRecords {
public:
    explicit GameRecordsStore(GameDatabase& database) : db_(database) {}
    GameRecordsStore(GameDatabase& database, GameEngine& engine) : db_(database), engine_(&engine) {}
    void Attach(GameEngine& engine) { engine_ = &engine; }

    Task<void> SaveGame() override;
    Task<bool> ResumeSavedGame(std::int32_t id) override;

private:
    GameDatabase& db_;
    GameEngine* engine_ = nullptr;
};

// The row a save writes: names from the live players, the rest from the
// snapshot; soundOn is the Sound menu item's check mark now.
SavedGameRecord RecordFromSnapshot(const GameState& state, bool soundOn);

// The "Game Saved" confirmation.
MessageBoxSpec GameSavedMessage(bool savedAtEndOfHand);
// What the player is told when a save fails, and why.
MessageBoxSpec GameNotSavedMessage(const std::string& reason);

} // namespace vemo
