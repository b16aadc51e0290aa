#pragma once
// The Expert playing style (PlayingStyle 5). It decides from a SeatKnowledge
// only: its own hand and what the whole table has seen. It weighs each card
// it may play by the points it sheds, how near an opponent is to going out,
// what an evil card or an Ask is likely to do to the next player (judged from
// the cards not yet seen), and which colours it and the next player hold.

#include "CardCode.h"
#include "SeatKnowledge.h"

#include <array>
#include <cstdint>

namespace vemo {

inline constexpr std::int16_t kExpertStyle = 5;

// The main reason behind a choice, for the game log.
enum class ExpertMotive : std::uint8_t {
    None,
    GoesOut,         // its last card ends the hand
    GoesOutOnVemo,   // and the Vemo takes 25 points off
    GoesOutThisTurn, // a Blessing or Grace, and the rest of its hand follows at once
    CancelsEvil,     // Grace or Prayer cancels the evil card on the pile
    NoCanceller,     // no Grace or Prayer: it draws what the evil card demands
    NothingPlayable, // nothing matches and no Card of Light is held
    HitsNext,        // an evil card for a next player close to going out
    TurnsAway,       // a Prayer turns play away from a player close to going out
    KeepsGrace,      // keeps a Grace against evil cards
    KeepsPrayer,     // keeps a Prayer against evil cards
    KeepsVemo,       // keeps a Vemo to go out on
    ShedsPoints,     // sheds a costly card while an opponent is close to going out
    PlaysAgain,      // Blessing or Grace: it plays again
    AsksNext,        // an Ask the next player probably cannot answer
    KeepsLastCard,   // leaves itself a last card it can surely go out on
    StaysInColour,   // stays in the colour it holds most
    NamesColour,     // a Card of Light, then the colour its hand follows best
    ChangesColour,   // moves play to a colour it holds more of
    ColourHeldMost,  // colour choice: the colour it holds most
    ColourNextLacks, // colour choice: a colour the next player lacked
    ColourLeastLeft, // colour choice: holds no coloured card, so the colour least left unseen
};

struct ExpertChoice {
    CardCode Card = CardCode("**"); // "**" to draw
    char Colour = ' ';              // a colour choice
    ExpertMotive Motive = ExpertMotive::None;
    int Concerns = 0;               // the seat the motive is about, 0 for none
    int Count = 0;                  // cards that seat holds, or the points shed
};

// The card to play, or "**" to draw (or, after its free draw, to end the turn).
ExpertChoice ExpertCardToPlay(const SeatKnowledge& knowledge);
// The colour to name after its Card of Light.
ExpertChoice ExpertColour(const SeatKnowledge& knowledge);
// The order in which it asks the next player for Cards of Light: value letters.
std::array<char, 4> ExpertAskingOrder(const SeatKnowledge& knowledge);

} // namespace vemo
