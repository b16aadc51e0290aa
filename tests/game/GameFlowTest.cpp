// The flow of a game: passing the turn, dealing, scoring a hand and moving
// the deal on, the final results, the File menu, closing the window, the
// main loop's reaction to a request and to a game that cannot be resumed.

#include "CardText.h"
#include "FinalResults.h"
#include "ScriptedView.h"

using namespace vemo;
using namespace vemo::test;

namespace {

constexpr std::string_view kDeckHint = "Double-click on deck to draw a card.";
constexpr std::string_view kExiting = "Exiting - Waiting for current player to end turn";

TEST(NextTurn, PassesTheTurnInTheDirectionOfPlayWhichAReversalFlips)
{
    const struct {
        char direction;
        int from, to;
        char reversed;
        const char* reversedText;
    } cases[] = {{'R', 3, 4, 'L', "Counter-Clockwise"}, {'R', 4, 1, 'L', "Counter-Clockwise"},
                 {'L', 1, 4, 'R', "Clockwise"}, {'L', 2, 1, 'R', "Clockwise"}, {' ', 4, 1, 'L', "Counter-Clockwise"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.direction) + std::to_string(c.from));
        Table t;
        t.State().CurrDirection = c.direction;
        t.State().CurrTurn = static_cast<std::int16_t>(c.from);

        t.Engine().NextTurn();
        EXPECT_EQ(t.State().CurrTurn, c.to);
        EXPECT_THAT(t.view.Said("tooltip"), ElementsAre(c.to == 4 ? kDeckHint : ""));

        t.Engine().ReverseDirection();
        EXPECT_EQ(t.State().CurrDirection, c.reversed);
        EXPECT_EQ(t.view.Last("bottom 3"), c.reversedText);
    }
}

// A catalogue-ordered deck ready to deal, hands empty.
void FreshDeck(Table& t)
{
    LoadVemoCardDeck(t.State().Deck);
    t.State().Deck.DeckPosition = 1;
}

TEST(DealTheCards, DealsSevenPassesUpwardsFromThePlayerOnTurnAndAnEvilFirstDiscardIsPending)
{
    const struct {
        int turn;
        char direction;
        std::vector<int> pass;
        const char* top; // at deck position 29, the first discard
    } cases[] = {{3, 'R', {3, 4, 1, 2}, "G6"}, {3, 'L', {3, 4, 1, 2}, "GD"}, {1, 'L', {1, 2, 3, 4}, "GS"},
                          {4, 'R', {4, 1, 2, 3}, "GT"}, {2, 'R', {2, 3, 4, 1}, "GR"}};
    for (const auto& c : cases) {
        SCOPED_TRACE("turn " + std::to_string(c.turn) + " " + c.direction);
        Table t;
        FreshDeck(t);
        t.State().Deck(29) = c.top;
        const CardDeck dealt = t.State().Deck;
        t.State().CurrTurn = static_cast<std::int16_t>(c.turn);
        t.State().CurrDirection = c.direction;

        t.Engine().Start(t.Engine().DealTheCards());

        std::vector<std::string> order;
        for (int pass = 0; pass < 7; ++pass)
            for (int seat : c.pass) order.push_back(std::to_string(seat));
        EXPECT_EQ(t.view.Said("to hand"), order);
        for (int k = 0; k < 4; ++k) {
            const int seat = c.pass[static_cast<std::size_t>(k)];
            std::vector<CardCode> expected;
            for (int pass = 0; pass < 7; ++pass) expected.push_back(dealt(1 + 4 * pass + k));
            EXPECT_EQ(t.Player(seat).Hand(), expected) << "seat " << seat;
        }
        EXPECT_EQ(t.State().Deck.DeckPosition, 30);
        EXPECT_EQ(t.State().CurrCard, CardCode(c.top));
        EXPECT_EQ(t.State().ActualCurrCard, CardCode(c.top));
        EXPECT_EQ(t.State().CurrColor, 'G');
        EXPECT_EQ(t.State().SpecialAction, IsEvil(c.top));
        EXPECT_THAT(t.view.Said("deal"), ElementsAre(c.top));
        EXPECT_EQ(t.State().HumanFaces, t.Player(4).Hand());
    }
}

TEST(DealTheCards, FirstDiscardIsNeverACardOfLight)
{
    for (std::uint64_t seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE(seed);
        Table t(seed);
        FreshDeck(t);
        // Cards of Light at 29 and in the places the exchange draws from first.
        for (int p = 29; p <= 40; ++p) t.State().Deck(p) = (p % 2) ? CardCode("LV") : CardCode("LK");
        std::multiset<CardCode> before;
        for (int p = 29; p <= kDeckSize; ++p) before.insert(t.State().Deck(p));
        t.State().CurrTurn = 1;

        t.Engine().Start(t.Engine().DealTheCards());

        EXPECT_FALSE(IsLight(t.State().CurrCard)) << t.State().CurrCard.ToString();
        std::multiset<CardCode> after{t.State().CurrCard};
        for (int p = 30; p <= kDeckSize; ++p) after.insert(t.State().Deck(p));
        EXPECT_EQ(after, before) << "the Cards of Light were exchanged, not lost";
        EXPECT_EQ(t.State().Deck.DeckPosition, 30);
    }
}

// Hands left at the end of a hand: Abel 57 points, Bea out, Cid 5, Dora 5.
// Each row scores it, tells it, keeps its totals for the chart, then deals
// the next hand, leaves after it (the hand-winner window's Exit Game) or ends
// the game at the limit.
TEST(EndOfHand, ScoresTellsAndKeepsTheHandThenDealsTheNextLeavesOrEndsTheGame)
{
    const char* names[5] = {"", "Abel", "Bea", "Cid", "Dora"};
    const struct {
        const char* top;
        std::array<std::int16_t, 5> before;
        std::int16_t limit, dealer;
        char direction;
        const char* answer; // the hand-winner window's
        std::array<std::int16_t, 5> after;
        const char* request; // "": the next hand is dealt
    } cases[] = {
        {"LV", {0, 10, 30, 5, 40}, 100, 4, 'R', "OK", {0, 67, 5, 10, 45}, ""},
        {"LV", {0, 0, 10, 0, 0}, 100, 4, 'L', "OK", {0, 57, -15, 5, 5}, ""},
        {"B5", {0, 0, 10, 0, 0}, 100, 2, 'L', "OK", {0, 57, 10, 5, 5}, ""},
        {"B5", {}, 58, 3, 'R', "OK", {0, 57, 0, 5, 5}, ""},
        {"B5", {}, 50, 4, 'R', "OK", {0, 57, 0, 5, 5}, "END_GAME"},
        {"B5", {0, 43, 0, 0, 0}, 100, 4, 'R', "OK", {0, 100, 0, 5, 5}, "END_GAME"},
        {"B5", {}, 100, 4, 'R', "EXIT", {0, 57, 0, 5, 5}, "EXIT_GAME"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        Table t;
        GameState& s = t.State();
        t.Give(1, "BD B7").Give(3, "LB").Give(4, "G3 R2");
        s.Scores = c.before;
        s.ScoreLimit = c.limit;
        s.HandWinner = 2;
        t.Pile(c.top);
        s.CurrDealer = c.dealer;
        s.CurrDirection = c.direction;
        s.CurrTurn = 2;
        s.HumanDrawCount = 2; // still owed when the hand ended
        s.PrayerCardPlayed = true;
        s.HandTotals = {{1, 2, 3, 4}};
        t.view.answers = {c.answer};

        t.Engine().Start(t.Engine().EndOfHand());

        EXPECT_EQ(s.Scores, c.after);
        EXPECT_EQ(t.view.Last("top 4"), "Bea = " + std::to_string(c.after[2]));
        EXPECT_EQ(s.HandTotals, (std::vector<std::array<std::int32_t, 4>>{
                                    {1, 2, 3, 4}, {c.after[1], c.after[2], c.after[3], c.after[4]}}));
        ASSERT_FALSE(t.view.events.empty());
        const bool vemo = std::string(c.top) == "LV";
        EXPECT_EQ(DescribeEvent(t.view.events[0], s).Text,
                  std::string("Bea wins the hand. ") + (vemo ? "Going out on a Vemo takes 25 points off. " : "") +
                      "The scores: Abel " + std::to_string(c.after[1]) + ", Bea " + std::to_string(c.after[2]) +
                      ", Cid " + std::to_string(c.after[3]) + " and Dora " + std::to_string(c.after[4]) + ".");
        EXPECT_EQ(s.GameRequest, c.request);
        const bool ends = std::string(c.request) == "END_GAME";
        const bool deals = !*c.request;
        EXPECT_EQ(t.view.Said("hand winner"),
                  ends ? std::vector<std::string>{}
                       : std::vector<std::string>{
                             "Bea won that hand!  Click OK and I'll shuffle the cards for the next hand."});
        EXPECT_EQ(s.Snapshot.SavedAtEndOfHand, !ends);
        EXPECT_EQ(t.view.Said("deal").size(), deals ? 1u : 0u);
        EXPECT_EQ(t.view.events.size(), deals ? 2u : 1u);
        if (!deals) {
            EXPECT_EQ(HandText(t.Player(1)), "BD B7");
            EXPECT_EQ(s.CurrDealer, c.dealer);
            EXPECT_EQ(s.Tag, ends ? "" : "EXIT");
            continue;
        }
        const int dealer = c.dealer % 4 + 1;
        const int turn = dealer % 4 + 1;
        EXPECT_EQ(DescribeEvent(t.view.events[1], s).Text, std::string(names[dealer]) +
                                                               " deals. The first card on the pile is " +
                                                               FormatCardDescription(s.ActualCurrCard) + ".");
        EXPECT_EQ(s.CurrDealer, dealer);
        EXPECT_EQ(s.CurrTurn, turn);
        EXPECT_EQ(s.CurrDirection, 'R');
        EXPECT_EQ(t.view.Last("bottom 3"), "Clockwise");
        EXPECT_EQ(t.view.Last("bottom 1"), std::string(names[turn]) + "'s Turn");
        EXPECT_EQ(t.view.Last("bottom 2"), std::string(names[dealer]) + " dealt");
        EXPECT_EQ(s.HumanDrawCount, 0) << "owed cards are not carried into the next hand";
        EXPECT_FALSE(s.PrayerCardPlayed);
        EXPECT_TRUE(t.view.highlighted[static_cast<std::size_t>(turn)]);
        EXPECT_EQ(t.view.Last("controls"), turn == 4 ? "human" : "computer") << "Draw Card and the hint follow the turn";
    }
}

// The exchange sort of the results: equal scores keep the order it leaves,
// and only the two lowest being equal is a tie (the window's own table has the rest).
TEST(GameFinalResults, OrderedByAnExchangeSortAndATieOnlyAtTheTop)
{
    Table t;
    t.State().Scores = {0, 10, 10, 5, 20};
    EXPECT_EQ(ComputeFinalResults(t.State(), false).Lines,
              (std::array<std::string, 4>{"Cid = 5", "Bea = 10", "Abel = 10", "Dora = 20"}));
    t.State().Scores = {0, 5, 20, 20, 30};
    EXPECT_FALSE(ComputeFinalResults(t.State(), false).Tie);
}

// New and Open ask to save only an unsaved game in progress; Save saves and
// plays on; Exit, and closing the window (index 0) during play, only ask the
// loop to end the game; the second close (-1), from the exit, goes through.
TEST(GameFileMenu, SaveQuestionOnlyForAnUnsavedGameInProgress)
{
    const struct {
        const char* name;
        int index;
        bool firstActivation, playAgain, saved;
        const char* answer;
        bool asks;
        const char* request;
        int saves;
    } cases[] = {
        {"new, not saved, No", 1, false, false, false, "NO", true, "NEW_GAME", 0},
        {"new, not saved, Yes", 1, false, false, false, "YES", true, "NEW_GAME", 1},
        {"new, not saved, Cancel", 1, false, false, false, "CANCEL", true, "", 0},
        {"open, not saved, No", 2, false, false, false, "NO", true, "RESUME_GAME", 0},
        {"before the first game", 1, true, false, false, "", false, "NEW_GAME", 0},
        {"after Play Again", 1, false, true, false, "", false, "NEW_GAME", 0},
        {"already saved", 2, false, false, true, "", false, "RESUME_GAME", 0},
        {"save", 3, false, false, false, "", false, "", 1},
        {"exit", 5, false, false, false, "", false, "EXIT_GAME", 0},
        {"closing the window", 0, false, false, false, "", false, "EXIT_GAME", 0},
        {"closing the window during the exit", -1, false, false, false, "", false, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table t;
        GameState& s = t.State();
        s.MainLoopRunning = true; // the loop acts on the request
        s.FirstActivationPending = c.firstActivation;
        s.PlayAgainRequested = c.playAgain;
        s.GameSaved = c.saved;
        s.ExitInProgress = c.index < 0;
        if (*c.answer) t.view.answers = {c.answer};

        if (c.index > 0) t.Engine().Start(t.Engine().mnuFile_Click(c.index));
        else EXPECT_EQ(t.Engine().Form_QueryUnload(), c.index < 0);

        EXPECT_EQ(t.view.boxes.size(), c.asks ? 1u : 0u); // its words: MessageBoxesTest
        EXPECT_EQ(s.GameRequest, c.request);
        EXPECT_EQ(t.records.saves, c.saves);
        EXPECT_EQ(t.view.Said("setup").size() + t.view.Said("resume list").size(), 0u) << "the running loop starts the new game";
        // Cancel stops before the pointer is reset; New and Open leave it to the running loop.
        const bool cancelled = std::string(c.answer) == "CANCEL";
        EXPECT_TRUE((c.index <= 2 && !cancelled) || t.view.busy == cancelled);
        EXPECT_FALSE(s.PlayAgainRequested);
        EXPECT_EQ(t.view.Last("caption"), std::string(c.request) == "EXIT_GAME" ? kExiting : "");
    }
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

// New Game, and Open Game whose list is cancelled, clear the old game and
// seat and deal the new one at once when no loop runs.
TEST(GameFileMenu, NewOrOpenWithoutARunningLoopSetsUpAndDealsANewGame)
{
    for (const int index : {1, 2}) {
        SCOPED_TRACE(index);
        Table t;
        GameState& s = t.State();
        s.GameSaved = true;
        s.Scores = {0, 10, 20, 30, 40};
        s.HandTotals = {{10, 20, 30, 40}};
        t.view.onGameSetup = [&t] {
            EXPECT_EQ(t.State().Players.Count(), 0) << "the old game is cleared first";
            EXPECT_EQ(t.State().Scores, (std::array<std::int16_t, 5>{}));
            t.Engine().Start(SetUpGame(t.Engine()));
        };

        t.Engine().Start(t.Engine().mnuFile_Click(index));

        EXPECT_EQ(t.view.Said("resume list").size(), index == 2 ? 1u : 0u);
        EXPECT_EQ(t.view.Said("setup").size(), 1u);
        EXPECT_TRUE(s.GameRequest.empty());
        EXPECT_FALSE(t.view.busy);
        EXPECT_THAT(s.HandTotals, IsEmpty());
        ASSERT_EQ(t.view.events.size(), 2u);
        EXPECT_EQ(t.view.events[1].Kind, GameEventKind::HandStarted);
        // The names in seat order and the limit, as the table now holds them.
        EXPECT_EQ(DescribeEvent(t.view.events[0], s).Text, "A new game begins: Ann, Ben, Cal and Eve play to 200 points.");
        ASSERT_EQ(s.Players.Count(), 4);
        for (int seat = 1; seat <= 4; ++seat) {
            EXPECT_EQ(s.Players(seat).GameSequence(), seat);
            EXPECT_EQ(s.Players(seat).Human(), seat == 4);
            EXPECT_EQ(s.Snapshot.SnapCardCounts[static_cast<std::size_t>(seat)], 7);
        }
        EXPECT_EQ(s.Players(2).PlayingStyle(), 2);
        EXPECT_EQ(s.Players(3).WAV(), 9);
        EXPECT_EQ(t.view.Last("top 1"), "Point Limit = 200");
        EXPECT_EQ(s.CurrTurn, s.CurrDealer % 4 + 1);
        EXPECT_EQ(t.view.Last("bottom 2"), s.Players(s.CurrDealer).Name() + " dealt");
        EXPECT_EQ(s.HumanFaces.size(), 7u) << "dealt";
    }
}

TEST(MainGameLoop, EndsOnARequestOrAScoreAtTheLimit)
{
    const struct {
        const char* request;
        std::int16_t topScore;
        int exits, setups, timers;
    } cases[] = {
        {"EXIT_GAME", 0, 1, 0, 0}, {"END_GAME", 0, 1, 0, 0}, {"", 100, 1, 0, 0},
        {"NEW_GAME", 0, 0, 1, 0},  {"RESUME_GAME", 0, 0, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.request) + "/" + std::to_string(c.topScore));
        Table t;
        t.FillOthers({});
        t.State().CurrTurn = 1;
        t.State().GameRequest = c.request;
        t.State().Scores[3] = c.topScore;

        t.Engine().Start(t.Engine().MainGameLoop());

        EXPECT_THAT(t.view.Said("place"), IsEmpty()) << "nobody plays";
        EXPECT_EQ(t.shell.exits, std::vector<std::string>(static_cast<std::size_t>(c.exits), ""));
        EXPECT_EQ(t.view.Said("setup").size(), static_cast<std::size_t>(c.setups));
        EXPECT_EQ(t.view.Said("start timer").size(), static_cast<std::size_t>(c.timers));
        EXPECT_FALSE(t.State().MainLoopRunning);
    }
}

// Open Game from a running game: the loop starts again only with four players
// seated, and the score chart starts from the resumed game's totals.
TEST(MainGameLoop, AGameThatCannotBeResumedLeavesTheTableIdle)
{
    for (const bool resumable : {false, true}) {
        SCOPED_TRACE(resumable ? "resumed" : "not resumed");
        Table t;
        t.FillOthers({});
        t.view.resumeChoice = "12";
        int resumedId = 0;
        if (resumable)
            t.records.onResume = [&t, &resumedId](std::int32_t id) {
                resumedId = id;
                const char* names[4] = {"Ann", "Ben", "Cal", "Eve"};
                for (int seat = 1; seat <= 4; ++seat) {
                    auto player = std::make_unique<clsPlayer>();
                    player->Name(names[seat - 1]);
                    player->Human(seat == 4);
                    t.State().Players.Add(std::move(player));
                }
                t.State().Scores = {0, 30, 12, 0, 45};
                return true;
            };
        t.State().CurrTurn = 1;
        t.State().GameRequest = "RESUME_GAME";
        t.State().HandTotals = {{1, 2, 3, 4}};

        t.Engine().Start(t.Engine().MainGameLoop());

        EXPECT_EQ(t.view.Count("start timer", ""), resumable ? 1 : 0);
        EXPECT_EQ(t.view.boxes.size(), resumable ? 0u : 1u); // its words: MessageBoxesTest
        EXPECT_EQ(t.view.Last("menus") == "shown", !resumable) << "the File menu starts or opens another game";
        EXPECT_FALSE(t.State().MainLoopRunning);
        EXPECT_EQ(resumedId, resumable ? 12 : 0);
        using Totals = std::vector<std::array<std::int32_t, 4>>;
        EXPECT_EQ(t.State().HandTotals, (resumable ? Totals{{30, 12, 0, 45}} : Totals{}));
        ASSERT_EQ(t.view.events.size(), resumable ? 1u : 0u) << "a failed resume tells nothing";
        if (resumable) {
            EXPECT_EQ(DescribeEvent(t.view.events[0], t.State()).Text,
                      "A saved game resumes. The scores: Ann 30, Ben 12, Cal 0 and Eve 45.");
        }

        // Open Game again from the idle table.
        t.State().GameSaved = true;
        t.view.boxes.clear();
        t.Engine().Start(t.Engine().mnuFile_Click(2));
        EXPECT_EQ(t.view.Count("start timer", ""), resumable ? 2 : 0);
    }
}

// Abel and then Bea play; a New Game chosen in Abel's turn waits for its end.
TEST(MainGameLoop, TellsEachTurnAndActsOnNewGameOnlyOnceTheTurnIsOver)
{
    for (const bool newGame : {false, true}) {
        SCOPED_TRACE(newGame ? "New Game in Abel's turn" : "two turns");
        Table t;
        t.Give(1, "B5 G2").Give(2, "B6 B7").Give(3, "B1 B2").Give(4, "B4 G4").Turn(1);
        t.State().GameSaved = true;
        bool asked = false;
        t.view.onPause = [&](int) {
            if (!newGame && t.view.Said("place").size() == 2) t.State().GameRequest = "EXIT_GAME";
            if (!newGame || asked) return;
            asked = true;
            t.Engine().Start(t.Engine().mnuFile_Click(1));
            EXPECT_EQ(t.State().GameRequest, "NEW_GAME");
            EXPECT_THAT(t.view.Said("setup"), IsEmpty()) << "only the request is set while the loop runs";
        };

        t.Engine().Start(t.Engine().MainGameLoop());

        EXPECT_EQ(t.shell.exits.size(), newGame ? 0u : 1u);
        if (!newGame) {
            EXPECT_THAT(t.view.Told(), ElementsAre("It is Abel's turn.", "Abel plays Blue 5.", "It is Bea's turn.",
                                          "Bea plays Blue 7."));
            continue;
        }
        EXPECT_THAT(t.view.Said("place"), ElementsAre("B5")) << "Abel's turn ends, Bea's never starts";
        EXPECT_EQ(t.view.Said("setup").size(), 1u);
        const auto first = [&t](std::string_view kind) {
            return std::find_if(t.view.log.begin(), t.view.log.end(), [&](const Entry& e) { return e.kind == kind; });
        };
        EXPECT_LT(first("place"), first("setup"));
    }
}

} // namespace
