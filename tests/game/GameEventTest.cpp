// The game log's events: what the engine tells the view as play goes on, the
// words DescribeEvent gives them, the reasons behind the computer players'
// choices, and the score history kept for the chart.

#include "CardText.h"
#include "ExpertStrategy.h"
#include "ScriptedView.h"
#include "StrategyReason.h"

#include <cctype>
#include <set>

using namespace vemo;
using namespace vemo::test;

namespace {

using Kind = GameEventKind;
using Totals = std::array<std::int32_t, 4>;

// Hands of the given sizes for Bea, Cid and Dora, none of which matter to Abel.
void Holding(Table& t, int bea, int cid, int dora)
{
    const std::string_view cards = "R1 R2 R3 P1 P2 P3 P4 P5 P6";
    const auto first = [&](int n) { return cards.substr(0, static_cast<std::size_t>(3 * n)); };
    t.Give(2, first(bea)).Give(3, first(cid)).Give(4, first(dora));
}

// A computer turn of Abel's (seat 1) as the game log tells it, and the
// reason it gives for the choice the row is about.
TEST(GameEvents, AComputerTurnIsToldWithTheReasonForEveryBranchOfTheStrategy)
{
    struct Case {
        const char* why;
        int style;
        const char* abel;
        const char* pile;
        bool pending;
        int bea, cid, dora; // cards held by the next three
        Kind kind;          // the event explained
        StrategyStep step;
        const char* reason;             // "%" stands for the colour drawn at random
        std::vector<std::string> told = {}; // the whole turn, when checked
        const char* stack = "";
    };
    using S = StrategyStep;
    const Case cases[] = {
        {"nothing matches", 1, "G1 R2", "B5", false, 7, 7, 7, Kind::CardsDrawn, S::NothingMatches,
         "draws: nothing in hand matches Blue 5 and no Card of Light is held",
         {"Abel draws a card.", "Abel plays Blue 7."}, "B7"},
        {"nothing matches the colour chosen", 1, "B1 R2", "G*", false, 7, 7, 7, Kind::CardsDrawn, S::NothingMatches,
         "draws: nothing in hand matches Green and no Card of Light is held"},
        {"a Devil and no canceller", 1, "LB B2", "BD", true, 7, 7, 7, Kind::CardsDrawn, S::EvilNoCanceller,
         "draws: no Grace or Prayer to cancel the Blue Devil", {"Abel draws 4 cards."}},
        {"Grace cancels", 2, "LP LG B2", "RD", true, 7, 7, 7, Kind::CardPlayed, S::EvilGrace,
         "plays Card of Light Grace: Grace cancels the Red Devil"},
        {"Prayer cancels", 4, "LP B2", "GS", true, 7, 7, 7, Kind::CardPlayed, S::EvilPrayer,
         "plays Card of Light Prayer: no Grace is held, so Prayer cancels the Green Sin"},
        {"style 3 Devil", 3, "BD LB", "B5", false, 7, 7, 7, Kind::CardPlayed, S::Style3Devil,
         "plays Blue Devil: a Devil always goes first for this player"},
        {"style 3 Light first", 3, "B4 LV", "B5", false, 7, 7, 7, Kind::CardPlayed, S::LightCard,
         "plays Card of Light Vemo: Cards of Light go first for this player"},
        {"Light when nothing else matches", 1, "G1 LB", "B5", false, 7, 7, 7, Kind::CardPlayed, S::LightCard,
         "plays Card of Light Blessing: nothing else matches Blue 5"},
        {"style 2 highest", 2, "B1 B7 BT", "B5", false, 1, 1, 1, Kind::CardPlayed, S::Style2Highest,
         "plays Blue 7: its highest matching number"},
        {"style 2 without a number", 2, "BT BS", "B5", false, 7, 7, 7, Kind::CardPlayed, S::Style2Highest,
         "plays Blue Temptation: no number matches, so its first matching card"},
        {"style 3 evil first", 3, "B3 B6 BS", "B5", false, 7, 7, 7, Kind::CardPlayed, S::Style3Scan,
         "plays Blue Sin: evil cards go before numbers for this player"},
        {"style 3 without evil", 3, "B3 B6", "B5", false, 7, 7, 7, Kind::CardPlayed, S::Style3Scan,
         "plays Blue 6: no evil card to lead with, so its highest number"},
        {"style 4", 4, "G2 B4", "G5", false, 7, 7, 7, Kind::CardPlayed, S::Style4Random,
         "plays Green 2: any matching card will do, picked at random"},
        {"style 1 evil for a short hand", 1, "G2 GS GT", "G7", false, 2, 7, 7, Kind::CardPlayed, S::Style1Evil,
         "plays Green Temptation: the next player holds 2 cards"},
        {"style 1 Prayer reverses play", 1, "R1 LP", "R4", false, 2, 5, 5, Kind::CardPlayed, S::Style1Prayer,
         "plays Card of Light Prayer: the next player holds 2 cards, so play turns towards the player behind, "
         "who holds 5 cards",
         {"Abel plays Card of Light Prayer.", "Abel chooses Red.", "The direction reverses: counterclockwise."}},
        {"style 1 highest", 1, "B3 B6", "B5", false, 3, 3, 3, Kind::CardPlayed, S::Style1Highest,
         "plays Blue 6: everyone else holds 3 cards or more, so the highest number goes"},
        {"style 1 scan", 1, "B2 BD BT", "B5", false, 3, 2, 7, Kind::CardPlayed, S::Style1Scan,
         "plays Blue Temptation: the player after next holds 2 cards, so evil cards go first"},
        {"style 1 scan without evil", 1, "B3 B6", "B5", false, 4, 4, 1, Kind::CardPlayed, S::Style1Scan,
         "plays Blue 6: the player behind holds 1 card, but no evil card matches, so its highest number goes"},
        {"the colour held most", 1, "LV G1 P2 G3", "B5", false, 7, 7, 7, Kind::ColourChosen, S::ColourMostHeld,
         "chooses Green: the colour it holds most"},
        {"no coloured card", 1, "LV LG", "B5", false, 7, 7, 7, Kind::ColourChosen, S::ColourAtRandom,
         "chooses %: no coloured card is held, so any colour at random"},
        {"a Blessing, its colour and the play after it", 1, "LB G2 G4", "B3", false, 7, 7, 7, Kind::ColourChosen,
         S::ColourMostHeld, "chooses Green: the colour it holds most", {"Abel plays Card of Light Blessing.", "Abel chooses Green.", "Abel plays Green 4."}},
        {"the last card evil", 1, "BD", "B3", false, 7, 7, 7, Kind::CardPlayed, S::Style1Highest,
         "plays Blue Devil: everyone else holds 3 cards or more, so the highest number goes",
         {"Abel plays Blue Devil.", "Abel cannot end the hand on an evil card and must draw a card.",
          "Abel draws a card."}},
        {"the Expert names whom its choice is about", kExpertStyle, "B2 LG G5", "B3", false, 1, 7, 7, Kind::CardPlayed,
         S::Expert, "plays Blue 2: keeps its Grace: Bea has one card left"},
        {"going out", 1, "B5", "B3", false, 7, 7, 7, Kind::CardPlayed, S::Style1Highest,
         "plays Blue 5: everyone else holds 3 cards or more, so the highest number goes",
         {"Abel plays Blue 5.", "Abel says Vemo!"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Table t;
        t.Give(1, c.abel);
        t.Player(1).PlayingStyle(static_cast<std::int16_t>(c.style));
        Holding(t, c.bea, c.cid, c.dora);
        t.Pile(c.pile, c.pending).Stack(c.stack);

        t.ComputerTurn(1);

        const auto explained = std::find_if(t.view.events.begin(), t.view.events.end(),
                                            [&](const GameEvent& e) { return e.Kind == c.kind; });
        ASSERT_NE(explained, t.view.events.end());
        EXPECT_EQ(explained->Grounds.Step, c.step);
        std::string reason = c.reason;
        if (const auto at = reason.find('%'); at != std::string::npos)
            reason.replace(at, 1, ColorName(explained->Colour));
        EXPECT_EQ(DescribeEvent(*explained, t.State()).Reason, reason);
        if (!c.told.empty()) {
            EXPECT_THAT(t.view.Told(), ElementsAreArray(c.told));
        }
        for (const GameEvent& e : t.view.events)
            if (e.Kind == Kind::CardPlayed || e.Kind == Kind::ColourChosen) {
                EXPECT_FALSE(DescribeEvent(e, t.State()).Reason.empty()) << "every choice is explained";
            }
    }
}

TEST(DescribeEvent, EveryKindIsOneSentenceNamingThePlayers)
{
    std::vector<GameEvent> events;
    for (int k = 0; k <= static_cast<int>(Kind::HandEnded); ++k)
        events.push_back({.Kind = static_cast<Kind>(k), .Seat = 1, .OtherSeat = 2, .Card = "LG", .Colour = 'R',
                          .Direction = 'R', .Count = 2, .Totals = {1, 2, 3, 4}});
    for (int cause = 0; cause <= static_cast<int>(PenaltyCause::AskCardLast); ++cause)
        events.push_back({.Kind = Kind::Penalty, .Seat = 4, .OtherSeat = 3, .Card = "LB",
                          .Cause = static_cast<PenaltyCause>(cause)});
    Table t;
    std::set<std::string> seen;
    for (const GameEvent& e : events) {
        const std::string text = DescribeEvent(e, t.State()).Text;
        SCOPED_TRACE(text);
        ASSERT_FALSE(text.empty());
        EXPECT_TRUE(std::isupper(static_cast<unsigned char>(text.front())));
        EXPECT_TRUE(text.back() == '.' || text.back() == '!');
        EXPECT_EQ(text.find("A player"), std::string::npos);
        EXPECT_TRUE(seen.insert(text).second) << "two events read the same";
    }
    // A seat nobody holds (the table is being set up) still reads as a sentence.
    Table empty;
    empty.State().Players.Clear();
    EXPECT_EQ(DescribeEvent({.Kind = Kind::CardPlayed, .Seat = 2, .Card = "B5"}, empty.State()).Text,
              "A player plays Blue 5.");
}

} // namespace
