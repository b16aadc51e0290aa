// The game log's events: what the engine tells the view as play goes on, the
// words DescribeEvent gives them, the reasons behind the computer players'
// choices, and the score history kept for the chart.

#include "CardText.h"
#include "FinalResults.h"
#include "ScriptedView.h"
#include "StrategyReason.h"

#include <cctype>
#include <set>

using namespace vemo;
using namespace vemo::test;

namespace {

using Kind = GameEventKind;
using Totals = std::array<std::int32_t, 4>;

std::vector<std::string> Texts(Table& t)
{
    std::vector<std::string> texts;
    for (const GameEvent& e : t.view.events) texts.push_back(DescribeEvent(e, t.State()).Text);
    return texts;
}

std::vector<Kind> Kinds(const ScriptedView& view)
{
    std::vector<Kind> kinds;
    for (const GameEvent& e : view.events) kinds.push_back(e.Kind);
    return kinds;
}

// Hands of the given sizes for Bea, Cid and Dora, none of which matter to Abel.
void Holding(Table& t, int bea, int cid, int dora)
{
    const std::string cards = "R1 R2 R3 P1 P2 P3 P4 P5 P6";
    t.Give(2, cards.substr(0, static_cast<std::size_t>(3 * bea)));
    t.Give(3, cards.substr(0, static_cast<std::size_t>(3 * cid)));
    t.Give(4, cards.substr(0, static_cast<std::size_t>(3 * dora)));
}

// The Ask window's buttons, clicked until the window closes.
void ClickAsk(Table& t, std::vector<int> buttons)
{
    for (int index : buttons)
        if (t.State().AskWindow.Open) t.Engine().Start(t.Engine().cmdCOL_Click(index));
}

TEST(GameEvents, AComputerTurnIsToldAsItHappens)
{
    struct Case {
        const char* why;
        const char* abel;
        const char* pile;
        bool pending;
        std::function<void(Table&)> others;
        std::vector<std::string> texts;
    };
    const auto seven = [](Table& t) { t.FillOthers({1}); };
    const Case cases[] = {
        {"a number", "B5 G2", "B3", false, seven, {"Abel plays Blue 5."}},
        {"a Blessing, its colour and the play after it", "LB G2 G4", "B3", false, seven,
         {"Abel plays Card of Light Blessing.", "Abel chooses Green.", "Abel plays Green 4."}},
        {"a Prayer reverses play", "R1 LP", "R4", false, [](Table& t) { Holding(t, 2, 5, 5); },
         {"Abel plays Card of Light Prayer.", "Abel chooses Red.", "The direction reverses: counterclockwise."}},
        {"a Devil answered by drawing", "B2 G5", "BD", true, seven, {"Abel draws 4 cards."}},
        {"nothing to play: a draw, then the drawn card", "G1 R2", "B5", false,
         [](Table& t) {
             t.FillOthers({1});
             t.Stack("B7");
         },
         {"Abel draws a card.", "Abel plays Blue 7."}},
        {"an Ask that finds a Prayer", "LK G5", "B3", false,
         [](Table& t) {
             t.Give(2, "B1 LP B4");
             t.FillOthers({1, 2});
         },
         {"Abel plays Card of Light Ask.", "Abel chooses Green.", "Abel asks Bea for a Grace card. Bea has none.",
          "Abel asks Bea for a Blessing card. Bea has none.",
          "Abel asks Bea for a Prayer card. Bea hands one over."}},
        {"an Ask that finds nothing", "LK G5", "B3", false, seven,
         {"Abel plays Card of Light Ask.", "Abel chooses Green.", "Abel asks Bea for a Grace card. Bea has none.",
          "Abel asks Bea for a Blessing card. Bea has none.", "Abel asks Bea for a Prayer card. Bea has none.",
          "Abel asks Bea for a Vemo card. Bea has none.", "Bea is skipped.", "Bea draws a card."}},
        {"the last card an Ask (the colour is drawn at random)", "LK", "B3", false, seven,
         {"Abel plays Card of Light Ask.", "Abel chooses %.", "Abel asks Bea for a Grace card. Bea has none.",
          "Abel asks Bea for a Blessing card. Bea has none.", "Abel asks Bea for a Prayer card. Bea has none.",
          "Abel asks Bea for a Vemo card. Bea has none.", "Bea is skipped.", "Bea draws a card.",
          "Abel cannot end the hand on an Ask card and must draw a card.", "Abel draws a card."}},
        {"the last card evil", "BD", "B3", false, seven,
         {"Abel plays Blue Devil.", "Abel cannot end the hand on an evil card and must draw a card.",
          "Abel draws a card."}},
        {"going out", "B5", "B3", false, seven, {"Abel plays Blue 5.", "Abel says Vemo!"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Table t(3);
        t.Give(1, c.abel);
        c.others(t);
        t.Pile(c.pile, c.pending);

        t.ComputerTurn(1);

        std::vector<std::string> expected = c.texts;
        for (std::string& text : expected)
            if (const auto at = text.find('%'); at != std::string::npos)
                text.replace(at, 1, ColorName(t.State().CurrColor));
        EXPECT_THAT(Texts(t), ElementsAreArray(expected));
        for (const GameEvent& e : t.view.events) {
            const bool chosen = e.Seat == 1 && (e.Kind == Kind::CardPlayed || e.Kind == Kind::ColourChosen);
            if (chosen) {
                EXPECT_FALSE(DescribeEvent(e, t.State()).Reason.empty()) << static_cast<int>(e.Kind);
            }
        }
    }
}

TEST(GameEvents, TheHumansPlaysDrawsAndAnswers)
{
    struct Case {
        const char* why;
        std::function<void(Table&)> play;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"a Prayer, the colour window, the reversal",
         [](Table& t) {
             t.Give(4, "LP G2");
             t.view.colorChoices = {4};
             t.view.actions.push_back([&t] { t.DoubleClick("LP"); });
             t.HumanTurn();
         },
         {"Dora plays Card of Light Prayer.", "Dora chooses Red.", "The direction reverses: counterclockwise."}},
        {"a card drawn from the deck is shown to its owner, and kept",
         [](Table& t) {
             t.Give(4, "G2");
             t.Stack("R6");
             t.view.actions.push_back([&t] { t.DrawFromDeck(); });
             t.HumanTurn();
         },
         {"Dora draws Red 6."}},
        {"Vemo said in time",
         [](Table& t) {
             t.view.sayVemoClickAt = 1;
             t.State().CurrTurn = 4;
             t.Engine().Start(t.Engine().ProcessHumanSayVemo());
         },
         {"Dora says Vemo!"}},
        {"Vemo said too late",
         [](Table& t) {
             t.Stack("G5");
             t.State().CurrTurn = 4;
             t.Engine().Start(t.Engine().ProcessHumanSayVemo());
         },
         {"Dora did not say Vemo in time and must draw a card.", "Dora draws Green 5."}},
        {"asked by Cid, a false answer each time before the truth",
         [](Table& t) {
             t.Give(3, "G5");
             t.Give(4, "LB G2");
             t.State().CurrTurn = 3;
             t.view.answers = {"YES", "OK", "NO", "NO", "OK", "YES"};
             t.Engine().Start(t.Engine().AskForCOLComputerPlayer());
         },
         {"Dora answered Cid falsely about a Grace card and is asked again.",
          "Cid asks Dora for a Grace card. Dora has none.",
          "Dora answered Cid falsely about a Blessing card and is asked again.",
          "Cid asks Dora for a Blessing card. Dora hands one over."}},
        {"the Ask window finds a Blessing at the second try",
         [](Table& t) {
             t.Give(1, "LB R3");
             t.Give(4, "G2");
             t.State().CurrTurn = 4;
             t.State().AskWindow = {.AskedPlayer = 1, .Open = true};
             ClickAsk(t, {1, 2});
         },
         {"Dora asks Abel for a Grace card. Abel has none.",
          "Dora asks Abel for a Blessing card. Abel hands one over."}},
        {"the Ask window's fourth miss",
         [](Table& t) {
             t.Give(1, "R3");
             t.Give(4, "G2");
             t.State().CurrTurn = 4;
             t.State().AskWindow = {.AskedPlayer = 1, .Open = true};
             ClickAsk(t, {1, 2, 3, 4});
         },
         {"Dora asks Abel for a Grace card. Abel has none.", "Dora asks Abel for a Blessing card. Abel has none.",
          "Dora asks Abel for a Prayer card. Abel has none.", "Dora asks Abel for a Vemo card. Abel has none.",
          "Abel is skipped.", "Abel draws a card."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Table t;
        t.Pile("B3");

        c.play(t);

        EXPECT_THAT(Texts(t), ElementsAreArray(c.texts));
        for (const GameEvent& e : t.view.events)
            EXPECT_EQ(DescribeEvent(e, t.State()).Reason, "") << "nothing the human does is explained";
    }
}

TEST(GameEvents, TheMainLoopStartsEachTurn)
{
    Table t;
    t.Give(1, "B5 G2");
    t.Give(2, "B6 B7");
    t.FillOthers({1, 2});
    t.State().CurrTurn = 1;
    t.view.onPause = [&t](int) {
        if (t.view.Said("place").size() == 2) t.State().GameRequest = "EXIT_GAME";
    };

    t.Engine().Start(t.Engine().MainGameLoop());

    EXPECT_THAT(Texts(t),
                ElementsAre("It is Abel's turn.", "Abel plays Blue 5.", "It is Bea's turn.", "Bea plays Blue 7."));
}

// Hands left at the end of a hand: Abel 57 points, Bea out, Cid 5, Dora 5.
void EndingHand(Table& t, CardCode top)
{
    t.Engine().RemovePhysicalAndVirtualCards();
    t.Give(1, "BD B7");
    t.Give(3, "LB");
    t.Give(4, "G3 R2");
    t.State().HandWinner = 2;
    t.Pile(top);
}

// The setup dialog's work for a game of Ann, Ben, Cal and Eve.
Task<void> SetUpGame(GameEngine& engine)
{
    GameSetupChoice choice;
    choice.HumanName = "Eve";
    choice.Opponents = {{{"Ann", 1, 3}, {"Ben", 2, 6}, {"Cal", 3, 9}}};
    choice.ScoreLimit = 200;
    co_await engine.SetParametersForThisGame(choice);
}

TEST(HandTotals, EachHandEndsWithItsScoresAndATotalUntilANewGameClearsThemAndDealsAnew)
{
    Table t;
    t.State().ScoreLimit = 150;
    t.State().CurrDealer = 4;
    const struct {
        const char* top;
        Totals totals;
        int winnersPoints;
        const char* text;
    } hands[] = {
        {"B5", {57, 0, 5, 5}, 0, "Bea wins the hand. The scores: Abel 57, Bea 0, Cid 5 and Dora 5."},
        {"LV", {114, -25, 10, 10}, -25,
         "Bea wins the hand. Going out on a Vemo takes 25 points off. The scores: Abel 114, Bea -25, Cid 10 and Dora 10."},
        // Past the limit: the game ends with this hand.
        {"B5", {171, -25, 15, 15}, 0, "Bea wins the hand. The scores: Abel 171, Bea -25, Cid 15 and Dora 15."},
    };
    std::vector<Totals> expected;
    const char* dealers[] = {"Abel", "Bea"};
    for (std::size_t hand = 0; hand < 3; ++hand) {
        SCOPED_TRACE(hand);
        t.view.events.clear();
        EndingHand(t, hands[hand].top);
        t.Engine().Start(t.Engine().EndOfHand());
        expected.push_back(hands[hand].totals);
        EXPECT_EQ(t.State().HandTotals, expected);
        const std::vector<std::string> texts = Texts(t);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(t.view.events[0].Kind, Kind::HandEnded);
        EXPECT_EQ(t.view.events[0].Count, hands[hand].winnersPoints);
        EXPECT_EQ(texts[0], hands[hand].text);
        if (hand == 2) break;
        ASSERT_THAT(Kinds(t.view), ElementsAre(Kind::HandEnded, Kind::HandStarted));
        EXPECT_EQ(texts[1], std::string(dealers[hand]) + " deals. The first card on the pile is " +
                                FormatCardDescription(t.State().ActualCurrCard) + ".");
    }
    ASSERT_THAT(Kinds(t.view), ElementsAre(Kind::HandEnded));
    EXPECT_EQ(t.State().GameRequest, "END_GAME");

    const FinalResults results = ComputeFinalResults(t.State(), false);
    EXPECT_EQ(results.HandTotals, expected);
    EXPECT_EQ(results.SeatNames, (std::array<std::string, 4>{"Abel", "Bea", "Cid", "Dora"}));
    EXPECT_EQ(results.Names[0], "Bea") << "the results themselves stay ordered by score";

    t.view.events.clear();
    t.view.onGameSetup = [&t] { t.Engine().Start(SetUpGame(t.Engine())); };
    t.Engine().Start(t.Engine().StartNewGame());

    EXPECT_THAT(t.State().HandTotals, IsEmpty());
    ASSERT_THAT(Kinds(t.view), ElementsAre(Kind::GameStarted, Kind::HandStarted));
    EXPECT_EQ(Texts(t)[0], "A new game begins: Ann, Ben, Cal and Eve play to 200 points.");
    // The setup seats the four players and deals the first hand.
    GameState& s = t.State();
    ASSERT_EQ(s.Players.Count(), 4);
    const char* names[5] = {"", "Ann", "Ben", "Cal", "Eve"};
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_EQ(s.Players(seat).Name(), names[seat]);
        EXPECT_EQ(s.Players(seat).GameSequence(), seat);
        EXPECT_EQ(s.Players(seat).Human(), seat == 4);
        EXPECT_EQ(s.Players(seat).NumberOfCards(), 7);
        EXPECT_EQ(s.Snapshot.SnapCardCounts[static_cast<std::size_t>(seat)], 7);
    }
    EXPECT_EQ(s.Players(2).PlayingStyle(), 2);
    EXPECT_EQ(s.Players(3).WAV(), 9);
    EXPECT_EQ(s.ScoreLimit, 200);
    EXPECT_EQ(t.view.Last("top 1"), "Point Limit = 200");
    EXPECT_EQ(s.Scores, (std::array<std::int16_t, 5>{}));
    EXPECT_EQ(s.CurrTurn, s.CurrDealer % 4 + 1);
    EXPECT_EQ(t.view.Last("bottom 2"), std::string(names[s.CurrDealer]) + " dealt");
    EXPECT_EQ(s.HumanFaces.size(), 7u);
    EXPECT_EQ(s.Deck.DeckPosition, 30);
}

TEST(HandTotals, AResumedGameStartsFromItsSavedTotals)
{
    Table t;
    t.State().HandTotals = {{1, 2, 3, 4}};
    t.State().ResumeInProgress = true;
    t.view.resumeChoice = "12";
    int resumedId = 0;
    t.records.onResume = [&t, &resumedId](std::int32_t id) {
        resumedId = id;
        const char* names[4] = {"Ann", "Ben", "Cal", "Eve"};
        for (int seat = 1; seat <= 4; ++seat) {
            auto player = std::make_unique<clsPlayer>();
            player->Name(names[seat - 1]);
            player->Human(seat == 4);
            player->AttachDisplay(&t.Engine().Hands());
            t.State().Players.Add(std::move(player));
        }
        t.State().Scores = {0, 30, 12, 0, 45};
        return true;
    };

    t.Engine().Start(t.Engine().StartNewGame());

    EXPECT_EQ(resumedId, 12);
    EXPECT_EQ(t.State().HandTotals, (std::vector<Totals>{{30, 12, 0, 45}}));
    ASSERT_THAT(Kinds(t.view), ElementsAre(Kind::GameResumed));
    EXPECT_EQ(Texts(t)[0], "A saved game resumes. The scores: Ann 30, Ben 12, Cal 0 and Eve 45.");

    // A resume that fails leaves no history behind.
    Table failed;
    failed.State().HandTotals = {{1, 2, 3, 4}};
    failed.State().ResumeInProgress = true;
    failed.view.resumeChoice = "12";
    failed.Engine().Start(failed.Engine().StartNewGame());
    EXPECT_THAT(failed.State().HandTotals, IsEmpty());
    EXPECT_THAT(failed.view.events, IsEmpty());
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

TEST(StrategyReason, RecordedForEveryBranchOfAComputerTurn)
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
        const char* reason; // "%" stands for the colour drawn at random
    };
    using S = StrategyStep;
    const Case cases[] = {
        {"nothing matches", 1, "G1 R2", "B5", false, 7, 7, 7, Kind::CardsDrawn, S::NothingMatches,
         "draws: nothing in hand matches Blue 5 and no Card of Light is held"},
        {"nothing matches the colour chosen", 1, "B1 R2", "G*", false, 7, 7, 7, Kind::CardsDrawn, S::NothingMatches,
         "draws: nothing in hand matches Green and no Card of Light is held"},
        {"a Devil and no canceller", 1, "LB B2", "BD", true, 7, 7, 7, Kind::CardsDrawn, S::EvilNoCanceller,
         "draws: no Grace or Prayer to cancel the Blue Devil"},
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
        {"style 1 Prayer", 1, "R1 LP", "R4", false, 2, 5, 5, Kind::CardPlayed, S::Style1Prayer,
         "plays Card of Light Prayer: the next player holds 2 cards, so play turns towards the player behind, "
         "who holds 5 cards"},
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Table t;
        t.Give(1, c.abel);
        t.Player(1).PlayingStyle(static_cast<std::int16_t>(c.style));
        Holding(t, c.bea, c.cid, c.dora);
        t.Pile(c.pile, c.pending);

        t.ComputerTurn(1);

        const auto explained = std::find_if(t.view.events.begin(), t.view.events.end(),
                                            [&](const GameEvent& e) { return e.Kind == c.kind; });
        ASSERT_NE(explained, t.view.events.end());
        EXPECT_EQ(explained->Grounds.Step, c.step);
        std::string reason = c.reason;
        if (const auto at = reason.find('%'); at != std::string::npos)
            reason.replace(at, 1, ColorName(explained->Colour));
        EXPECT_EQ(DescribeEvent(*explained, t.State()).Reason, reason);
    }
}

} // namespace
