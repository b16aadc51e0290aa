#pragma once
// What everybody at the table has seen during a hand: the cards played, the
// colours named, and what draws and Asks gave away about a hand. It holds no
// card that was not shown face up, so any seat may read it.

#include "CardCode.h"

#include <array>
#include <cstdint>

namespace vemo {

// 4 colours x (7 numbers + 4 evil words) + 5 Cards of Light.
inline constexpr int kCardKinds = 49;
// The index of a card's kind, 0..48; -1 for a blank or unknown code.
int CardKind(CardCode card);
// How many copies of each kind a full deck holds.
int CopiesInDeck(int kind);

// Bits of TableRecord::Lacks: a seat showed it held no card of a colour (it
// drew on that colour) or no Card of Light of a kind (an Ask found none).
enum LackBit : std::uint8_t {
    LacksBlue = 1, LacksGreen = 2, LacksPurple = 4, LacksRed = 8,
    LacksGrace = 16, LacksBlessing = 32, LacksPrayer = 64, LacksVemo = 128,
};
std::uint8_t LackOfColour(char colour);
std::uint8_t LackOfLight(char valueLetter);

struct TableRecord {
    // Copies of each kind seen face up since the deck was last filled.
    std::array<std::uint8_t, kCardKinds> Seen{};
    std::array<char, 5> LastNamed{' ', ' ', ' ', ' ', ' '}; // seats 1..4
    std::array<std::uint8_t, 5> Lacks{};                   // seats 1..4
    int CardsPlayed = 0;                                   // this hand

    void NewHand(CardCode firstCard);
    void Played(int seat, CardCode card);
    void Named(int seat, char colour);
    // freeDraw: the seat drew because it could not (or would not) follow pileColour.
    void Drew(int seat, char pileColour, bool freeDraw);
    void Asked(int asked, char kind, bool had);
    // A fresh deck of all 92 cards: what was seen no longer thins it.
    void DeckRefilled(CardCode pile);

    bool operator==(const TableRecord&) const = default;
};

} // namespace vemo
