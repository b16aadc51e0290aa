#pragma once
// Plays seat 4 as a person would, and only through the human's own input
// handlers and dialog answers: double-clicks and drops cards, draws from the
// deck, answers questions (now and then falsely, so the lie is caught), picks
// colours and Ask kinds, and says Vemo in time, or now and then too late.

#include "GameEngine.h"

#include <cstdint>
#include <random>
#include <string>

namespace vemo {

class HeadlessTableView;

class Autopilot {
public:
    Autopilot(GameEngine& engine, HeadlessTableView& view, std::uint64_t seed, std::int16_t playingStyle);

    // Called at every pause of the game.
    void OnPause();
    std::string AnswerQuestion(std::string_view text, QuestionButtons buttons);
    int ChooseColor();
    int ChooseAskButton();

    // How often each path was taken, for the tests.
    struct Counts {
        long long doubleClicks = 0, drops = 0, missedDrops = 0, deckDraws = 0, sorts = 0, lies = 0,
                  vemoInTime = 0, vemoTooLate = 0, vemoAfterPrayer = 0, ignoredClicks = 0, declinedDraws = 0;
    };
    const Counts& Taken() const { return counts_; }

private:
    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p; }
    int FaceOf(CardCode card) const;
    void PlayFace(int index);
    void TakeTurn();
    void ClickOutOfTurn();

    GameEngine& engine_;
    HeadlessTableView& view_;
    std::mt19937_64 rng_;
    std::int16_t style_;
    int depth_ = 0;
    int sayVemoDelay_ = -1; // pauses left before clicking "say Vemo"; -2: let it pass
    unsigned askTried_ = 0;  // Ask buttons already used in this window (bits 1..4)
    Counts counts_;
};

} // namespace vemo
