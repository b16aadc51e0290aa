// The Expert: its choices in plain situations, what the table record learns,
// and the words of its reasons.
#include "ExpertStrategy.h"
#include "StrategyReason.h"

#include <gtest/gtest.h>

using namespace vemo;

namespace {

// "B5 G2" -> B5, G2
std::vector<CardCode> Cards(std::string_view text)
{
    std::vector<CardCode> cards;
    for (std::size_t at = 0; at + 2 <= text.size(); at += 3) cards.emplace_back(text.substr(at, 2));
    return cards;
}

// Seat 1; the next seat (2) holds `next` cards, seats 3 and 4 hold `others`.
SeatKnowledge Situation(const char* hand, const char* pile, bool pending, int next, int others = 7)
{
    SeatKnowledge k;
    k.Seat = 1;
    k.Hand = Cards(hand);
    k.Holding = {0, static_cast<std::int16_t>(k.Hand.size()), static_cast<std::int16_t>(next),
                 static_cast<std::int16_t>(others), static_cast<std::int16_t>(others)};
    k.Pile = k.ActualPile = CardCode(pile);
    k.Colour = k.Pile.Colour();
    k.SpecialAction = pending;
    k.DeckLeft = 40;
    k.Record.NewHand(k.Pile);
    return k;
}

TEST(ExpertStrategy, ChoosesTheCardTheSituationCallsFor)
{
    struct Case { const char *why, *hand, *pile; bool pending; int next; const char* card; ExpertMotive motive; };
    using M = ExpertMotive;
    const Case cases[] = {
        {"out on a Vemo", "LV", "B3", false, 7, "LV", M::GoesOutOnVemo},
        {"out on a number", "B5", "B3", false, 7, "B5", M::GoesOut},
        {"a Blessing first, then out at once", "B5 LB", "B3", false, 7, "LB", M::GoesOutThisTurn},
        {"Grace cancels a Devil", "LP LG B2", "BD", true, 7, "LG", M::CancelsEvil},
        {"a Prayer spares the Grace on a Trial", "LG LP B2", "BR", true, 7, "LP", M::CancelsEvil},
        {"nothing cancels", "LB B2", "BD", true, 7, "**", M::NoCanceller},
        {"nothing matches", "G1 R2", "B3", false, 7, "**", M::NothingPlayable},
        {"a Card of Light is kept to go out on", "LP B5", "B3", false, 7, "B5", M::KeepsLastCard},
        {"Cards of Light are kept", "LB B5 B6 G2", "B3", false, 7, "B6", M::StaysInColour},
        {"a Devil before a player goes out", "B7 BD G2", "B3", false, 1, "BD", M::ShedsPoints},
        {"a Temptation for a player about to go out", "B7 BT G2", "B3", false, 1, "BT", M::HitsNext},
        {"the Vemo stays for last", "B4 LV", "B3", false, 7, "B4", M::KeepsLastCard},
        {"no Ask on a last card", "LK LB G2", "B3", false, 1, "LB", M::PlaysAgain},
        {"keeps its Grace", "LG B2 G5", "B3", false, 1, "B2", M::KeepsGrace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const ExpertChoice choice = ExpertCardToPlay(Situation(c.hand, c.pile, c.pending, c.next));
        EXPECT_EQ(choice.Card, CardCode(c.card));
        EXPECT_EQ(choice.Motive, c.motive);
    }
}

TEST(ExpertStrategy, NamesTheColourItsHandFollowsAndAsksForAVemoFirst)
{
    SeatKnowledge k = Situation("R1 R2 G3 LV", "B3", false, 7);
    EXPECT_EQ(ExpertColour(k).Colour, 'R');
    // Seat 2 drew on Green: with nothing else held, Green is the colour to name.
    k.Hand = Cards("LV");
    k.Record.Drew(2, 'G', true);
    EXPECT_EQ(ExpertColour(k).Colour, 'G');
    EXPECT_EQ(ExpertColour(k).Motive, ExpertMotive::ColourNextLacks);
    EXPECT_EQ(ExpertAskingOrder(k), (std::array<char, 4>{'V', 'G', 'B', 'P'}));
    for (int copy = 0; copy < 3; ++copy) k.Record.Played(3, "LV"); // and the fourth is its own
    EXPECT_EQ(ExpertAskingOrder(k), (std::array<char, 4>{'G', 'B', 'P', 'V'}));
}

TEST(TableRecord, LearnsWhatDrawsAndAsksGiveAway)
{
    TableRecord r;
    r.NewHand("B3");
    r.Drew(2, 'B', true);
    EXPECT_EQ(r.Lacks[2], LacksBlue | LacksGrace | LacksBlessing | LacksPrayer | LacksVemo);
    r.Played(2, "LG"); // the drawn card was a Grace after all
    EXPECT_EQ(r.Lacks[2], LacksBlue | LacksBlessing | LacksPrayer | LacksVemo);
    r.Drew(2, 'B', false); // owed cards may bring anything
    EXPECT_EQ(r.Lacks[2], 0);
    r.Asked(3, 'G', false);
    r.Asked(3, 'B', true);
    EXPECT_EQ(r.Lacks[3], LacksGrace);
    EXPECT_EQ(r.Seen[static_cast<std::size_t>(CardKind("LG"))], 1);
    r.DeckRefilled("R5");
    EXPECT_EQ(r.Seen[static_cast<std::size_t>(CardKind("LG"))], 0);
    EXPECT_EQ(r.Seen[static_cast<std::size_t>(CardKind("R5"))], 1);
}

TEST(ExpertReason, SaysWhyInAFewPlainWords)
{
    const StrategyGrounds keeps{.Step = StrategyStep::Expert, .Answer = "B2", .Pile = "B3",
                                .Motive = ExpertMotive::KeepsGrace, .Concerns = 2, .Count = 1};
    EXPECT_EQ(ExpertReason(keeps, "Peggy"), "plays Blue 2: keeps its Grace: Peggy has one card left");
    EXPECT_EQ(StrategyReason(keeps), "plays Blue 2: keeps its Grace: a player has one card left");
    const StrategyGrounds devil{.Step = StrategyStep::Expert, .Answer = "BD", .Motive = ExpertMotive::HitsNext,
                                .Count = 2};
    EXPECT_EQ(ExpertReason(devil, "Sam"), "plays Blue Devil: Sam has two cards left and must draw 4");
}

} // namespace
