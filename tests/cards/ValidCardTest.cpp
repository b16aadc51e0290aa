// Whether a card may be laid on the pile, and when the "Invalid Card" box is shown.

#include "ValidCard.h"

#include <gtest/gtest.h>

using namespace vemo;

namespace {

struct RecordingNotice : InvalidCardNotice {
    void ShowInvalidCard(std::string_view caption, std::string_view text) override
    {
        shown.push_back(std::string(caption) + ": " + std::string(text));
    }
    std::vector<std::string> shown;
};

struct Case { char currColor; const char* actualCurrCard; bool vemoAfterPrayer; const char* card; bool valid; };

// Each row is tried on every seat's turn and from both sources. The pile's
// top code (CurrCard) is never read: only CurrColor and ActualCurrCard's value.
const Case kCases[] = {
    // Colour B after B5: its colour, its value, a Card of Light, or refused.
    {'B', "B5", false, "B2", true}, {'B', "B5", false, "G5", true}, {'B', "B5", false, "LK", true},
    {'B', "B5", false, "G2", false},
    // The colour letter R is not the Trial's value letter R; an evil word matches in any colour.
    {'B', "BR", false, "R5", false}, {'B', "BR", false, "GR", true},
    // Only a Vemo while the Vemo after a Prayer is played.
    {'B', "LP", true, "LV", true}, {'B', "LP", true, "B5", false}, {'B', "LP", true, "LG", false},
    // Before the pile has a card nothing coloured matches.
    {' ', "  ", false, "B5", false},
    // Green chosen over a Red 3 really played: green or a 3.
    {'G', "R3", false, "P3", true}, {'G', "R3", false, "B1", false},
};

const std::string kExpectedBox =
    "Invalid Card: Sorry!  This card is not eligible to be played at this time.\r\n\r\nPlease choose another.";

} // namespace

TEST(ValidCard, RulesOnEveryTurnFromEverySource)
{
    for (const Case& c : kCases) {
        for (std::int16_t turn = 1; turn <= 4; ++turn) {
            for (const char* source : {"", "DECK"}) {
                SCOPED_TRACE(std::string("colour ") + c.currColor + " actual " + c.actualCurrCard + " card " + c.card +
                             (c.vemoAfterPrayer ? " after Prayer" : "") + " turn " + std::to_string(turn) + " " + source);
                TableState state;
                state.CurrTurn = turn;
                state.CurrColor = c.currColor;
                state.ActualCurrCard = CardCode(c.actualCurrCard);
                state.CurrCard = CardCode("B5");
                state.VemoAfterPrayer = c.vemoAfterPrayer;
                RecordingNotice notice;

                EXPECT_EQ(ValidCard(CardCode(c.card), source, state, &notice), c.valid);
                EXPECT_EQ(ValidCard(CardCode(c.card), source, state), c.valid); // without a notice

                // The box appears for a refused card, except on the human's own turn
                // and during the Vemo after a Prayer.
                const bool boxExpected = !c.valid && turn != 4 && !c.vemoAfterPrayer;
                EXPECT_EQ(notice.shown, std::vector<std::string>(boxExpected ? 1 : 0, kExpectedBox));
            }
        }
    }
}
