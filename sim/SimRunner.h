#pragma once
// Plays whole games at full speed with every pause skipped: three computer
// players and the autopilot at seat 4.

#include "Autopilot.h"
#include "HeadlessTableView.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vemo {

struct SimOptions {
    int games = 1;
    std::uint64_t seed = 1;
    std::array<std::int16_t, 4> styles{1, 2, 3, 4}; // seats 1..3, then the autopilot's
    std::int16_t limit = 100;
    bool sound = true;
};

struct GameResult {
    int winner = 0;                      // seat with the lowest score
    std::array<std::int16_t, 5> scores{}; // index 1..4
    int hands = 0;
    int cardsPlayed = 0;
    bool finished = false;               // ended at the point limit
    long long pauses = 0;
};

// Called once per game before it starts, with the headless view (the soak test
// attaches its checks there) and the engine.
using GameHook = std::function<void(HeadlessTableView&, GameEngine&)>;

// pathsTaken, when given, receives how often the autopilot took each of the
// human's paths in this game.
GameResult PlayOneGame(const SimOptions& options, int gameNumber, const GameHook& hook = {},
                       Autopilot::Counts* pathsTaken = nullptr);

// One number for a whole run: the same games give the same checksum.
std::uint64_t Checksum(const std::vector<GameResult>& results);

} // namespace vemo
