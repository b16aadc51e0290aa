#pragma once
// Everything one seat can know when it must decide: its own hand, what the
// whole table saw, how many cards each hand and the deck hold, and the scores.
// The Expert decides from this alone, so it cannot read another hand or the
// order of the deck.

#include "CardCode.h"
#include "TableRecord.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vemo {

struct SeatKnowledge {
    int Seat = 0;                          // 1..4
    std::vector<CardCode> Hand;            // its own cards, in order of arrival
    std::array<std::int16_t, 5> Holding{}; // cards in each hand, seats 1..4
    std::array<std::int16_t, 5> Scores{};  // seats 1..4
    std::int16_t ScoreLimit = 100;
    char Direction = 'R';                  // 'R' clockwise (seat numbers upwards), 'L' the other way
    CardCode Pile;                         // the top of the pile ("B*" after a colour was named)
    CardCode ActualPile;                   // the card really played last
    char Colour = ' ';                     // the colour in force
    bool SpecialAction = false;            // an evil card on the pile is still to be answered
    bool HasDrawn = false;                 // this turn's free draw has been made
    int DeckLeft = 0;                      // cards to draw before the deck is refilled
    TableRecord Record;

    bool operator==(const SeatKnowledge&) const = default;

    // The seat after seat in the direction of play.
    int SeatAfter(int seat) const
    {
        return Direction == 'L' ? (seat == 1 ? 4 : seat - 1) : (seat == 4 ? 1 : seat + 1);
    }
};

} // namespace vemo
