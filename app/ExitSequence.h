#pragma once
// Leaving a game (ExitAll): the save question for an unfinished game, the
// history row, the final results, then another game or the end of the
// program with the database closed.

#ifndef Q_MOC_RUN
#include "GameEngine.h"
#include "GameServices.h"
#endif

#include <functional>
#include <memory>

class QWidget;

namespace vemo {

class GameDatabase;
class WavPlayer;

class ExitSequence final : public GameShell, public WaitCanceller {
public:
    struct Hooks {
        QWidget* Table = nullptr;                   // owner of the results window
        std::function<bool()> SoundOn;               // Options > Sound
        std::function<void(int clip)> PlayWav;
        std::function<void()> CloseEverything;       // unload the windows, close the database, end
    };
    ExitSequence(GameDatabase& database, GameRecords& records, Hooks hooks);
    void Attach(GameEngine& engine) { engine_ = &engine; }

    Task<void> ExitAll(std::string mode) override;
    void CancelWait(PendingWait& wait) override;

private:
    GameDatabase& database_;
    GameRecords& records_;
    Hooks hooks_;
    GameEngine* engine_ = nullptr;
    PendingWait* resultsWait_ = nullptr;
};

} // namespace vemo
