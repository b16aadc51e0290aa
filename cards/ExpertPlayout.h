#pragma once
// The Expert's look ahead: it deals the cards it cannot see at random (keeping
// to what the table record says a hand lacks), plays the hand out on a light
// rules model of its own with simple play for every seat, and scores the end
// of the hand. Averaged over many such deals, this tells how a first move is
// likely to turn out. It reads only a SeatKnowledge.

#include "CardCode.h"
#include "SeatKnowledge.h"

#include <cstdint>
#include <vector>

namespace vemo {

struct PlayoutMove {
    CardCode Card = CardCode("**"); // "**" to draw
    char Colour = ' ';              // the colour named after a Card of Light
};

// For each move: the Expert's expected penalty at the end of the hand less the
// other seats' average (lower is better), over `deals` random deals. The same
// deals serve every move, and the same knowledge always gives the same answer.
std::vector<double> PlayoutScores(const SeatKnowledge& knowledge, const std::vector<PlayoutMove>& moves, int deals);

} // namespace vemo
