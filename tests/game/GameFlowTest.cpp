// The flow of a game: passing the turn, dealing, scoring a hand and moving
// the deal on, the final results, the File menu, closing the window and the
// main loop's reaction to a request.

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
        int from;
        int to;
        char reversed;
        const char* reversedText;
    } cases[] = {{'R', 1, 2, 'L', "Counter-Clockwise"}, {'R', 3, 4, 'L', "Counter-Clockwise"},
                 {'R', 4, 1, 'L', "Counter-Clockwise"}, {'L', 1, 4, 'R', "Clockwise"},
                 {'L', 4, 3, 'R', "Clockwise"},         {'L', 2, 1, 'R', "Clockwise"},
                 {' ', 4, 1, 'L', "Counter-Clockwise"}};
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
        for (int p = 1; p < 30; ++p) EXPECT_TRUE(t.State().Deck(p).IsBlank()) << p;
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
void EndingHand(Table& t, std::array<std::int16_t, 5> scores, CardCode top = "LV")
{
    t.Give(1, "BD B7");
    t.Give(3, "LB");
    t.Give(4, "G3 R2");
    t.State().Scores = scores;
    t.State().HandWinner = 2;
    t.Pile(top);
    t.State().CurrDealer = 4;
    t.State().CurrTurn = 2;
}

TEST(GameEndOfHand, ScoresTheHandWithTheVemoDeductionAndAScoreAtTheLimitEndsTheGame)
{
    struct Case {
        const char* top;
        std::array<std::int16_t, 5> before;
        std::int16_t limit;
        std::array<std::int16_t, 5> after;
        bool ends;
    };
    // Abel adds 57 points; Bea goes out, 25 points off when on a Vemo, below 0 too.
    const Case cases[] = {
        {"LV", {0, 10, 30, 5, 40}, 100, {0, 67, 5, 10, 45}, false},
        {"LV", {0, 0, 10, 0, 0}, 100, {0, 57, -15, 5, 5}, false},
        {"B5", {0, 0, 10, 0, 0}, 100, {0, 57, 10, 5, 5}, false},
        {"B5", {}, 50, {0, 57, 0, 5, 5}, true},
        {"B5", {}, 57, {0, 57, 0, 5, 5}, true},
        {"B5", {}, 58, {0, 57, 0, 5, 5}, false},
        {"B5", {0, 43, 0, 0, 0}, 100, {0, 100, 0, 5, 5}, true},
        {"B5", {0, 42, 0, 0, 0}, 100, {0, 99, 0, 5, 5}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.top) + " " + std::to_string(c.before[1]) + " of " + std::to_string(c.limit));
        Table t;
        EndingHand(t, c.before, c.top);
        t.State().ScoreLimit = c.limit;

        t.Engine().Start(t.Engine().EndOfHand());

        EXPECT_EQ(t.State().Scores, c.after);
        EXPECT_EQ(t.view.Last("top 4"), "Bea = " + std::to_string(c.after[2]));
        EXPECT_EQ(t.State().GameRequest, c.ends ? "END_GAME" : "");
        EXPECT_EQ(t.view.Said("hand winner").size(), c.ends ? 0u : 1u);
        EXPECT_EQ(t.view.Said("deal").size(), c.ends ? 0u : 1u) << "the next hand is dealt only when the game goes on";
    }
}

TEST(GameEndOfHand, AnnouncesTheWinnerAndDealsTheNextHandWithTheNextDealer)
{
    struct Case {
        std::int16_t dealer;
        char direction;
        std::int16_t nextDealer;
        std::int16_t firstTurn;
    };
    const Case cases[] = {{4, 'R', 1, 2}, {4, 'L', 1, 2}, {2, 'L', 3, 4}, {3, 'R', 4, 1}};
    const char* names[5] = {"", "Abel", "Bea", "Cid", "Dora"};
    for (const auto& c : cases) {
        SCOPED_TRACE("dealer " + std::to_string(c.dealer) + " " + c.direction);
        Table t;
        EndingHand(t, {}, "B5");
        t.State().CurrDealer = c.dealer;
        t.State().CurrDirection = c.direction;
        t.State().HumanDrawCount = 2; // still owed when the hand ended
        t.State().PrayerCardPlayed = true;

        t.Engine().Start(t.Engine().EndOfHand());

        EXPECT_THAT(t.view.Said("hand winner"),
                    ElementsAre("Bea won that hand!  Click OK and I'll shuffle the cards for the next hand."));
        EXPECT_TRUE(t.State().Snapshot.SavedAtEndOfHand);
        EXPECT_EQ(t.State().CurrDealer, c.nextDealer);
        EXPECT_EQ(t.State().CurrTurn, c.firstTurn);
        EXPECT_EQ(t.State().CurrDirection, 'R');
        EXPECT_EQ(t.view.Last("bottom 3"), "Clockwise");
        EXPECT_EQ(t.view.Last("bottom 1"), std::string(names[c.firstTurn]) + "'s Turn");
        EXPECT_EQ(t.view.Last("bottom 2"), std::string(names[c.nextDealer]) + " dealt");
        EXPECT_EQ(t.State().HumanDrawCount, 0) << "owed cards are not carried into the next hand";
        EXPECT_FALSE(t.State().PrayerCardPlayed);
        for (int seat = 1; seat <= 4; ++seat) EXPECT_EQ(t.Player(seat).NumberOfCards(), 7) << seat;
        EXPECT_EQ(t.State().Deck.DeckPosition, 30);
        EXPECT_TRUE(t.view.highlighted[static_cast<std::size_t>(c.firstTurn)]);
        EXPECT_TRUE(t.State().GameRequest.empty());
    }
}

TEST(GameEndOfHand, ExitGameLeavesAfterScoringWithoutDealing)
{
    Table t;
    EndingHand(t, {}, "B5");
    t.view.answers = {"EXIT"};

    t.Engine().Start(t.Engine().EndOfHand());

    EXPECT_EQ(t.State().GameRequest, "EXIT_GAME");
    EXPECT_EQ(t.State().Tag, "EXIT");
    EXPECT_EQ(t.State().Scores[1], 57);
    EXPECT_TRUE(t.State().Snapshot.SavedAtEndOfHand);
    EXPECT_THAT(t.view.Said("deal"), IsEmpty());
    EXPECT_EQ(HandText(t.Player(1)), "BD B7");
    EXPECT_EQ(t.State().CurrDealer, 4);
}

TEST(GameFinalResults, OrderedByScoreWithTieTexts)
{
    const struct {
        std::array<std::int16_t, 5> scores;
        bool saved;
        std::array<std::string, 4> lines;
        const char* caption;
        const char* winnerText;
        bool tie;
    } cases[] = {
        {{0, 12, 40, 7, 30}, false, {"Cid = 7", "Abel = 12", "Dora = 30", "Bea = 40"}, "Cid", "is the winner!", false},
        {{0, 12, 40, 7, 30}, true, {"Cid = 7", "Abel = 12", "Dora = 30", "Bea = 40"}, "Cid", "is currently winning!", false},
        {{0, 10, 10, 20, 30}, false, {"Abel = 10", "Bea = 10", "Cid = 20", "Dora = 30"}, "We have a tie!", "Multiple Winners", true},
        {{0, 10, 10, 20, 30}, true, {"Abel = 10", "Bea = 10", "Cid = 20", "Dora = 30"}, "Currently we", "have a tie!", true},
        {{0, 5, 20, 20, 30}, false, {"Abel = 5", "Bea = 20", "Cid = 20", "Dora = 30"}, "Abel", "is the winner!", false},
        {{0, 10, 10, 5, 20}, false, {"Cid = 5", "Bea = 10", "Abel = 10", "Dora = 20"}, "Cid", "is the winner!", false},
        {{0, 40, -15, 0, 100}, false, {"Bea = -15", "Cid = 0", "Abel = 40", "Dora = 100"}, "Bea", "is the winner!", false},
    };
    for (const auto& c : cases) {
        Table t;
        t.State().Scores = c.scores;

        const FinalResults results = ComputeFinalResults(t.State(), c.saved);

        EXPECT_EQ(results.Lines, c.lines);
        EXPECT_EQ(results.FrameCaption, c.caption);
        EXPECT_EQ(results.WinnerText, c.winnerText);
        EXPECT_EQ(results.Tie, c.tie);
    }
}

TEST(GameFileMenu, SaveQuestionOnlyForAnUnsavedGameInProgress)
{
    const struct {
        const char* name;
        int index;
        bool firstActivation;
        bool playAgain;
        bool saved;
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table t;
        GameState& s = t.State();
        s.MainLoopRunning = true; // the loop acts on the request
        s.FirstActivationPending = c.firstActivation;
        s.PlayAgainRequested = c.playAgain;
        s.GameSaved = c.saved;
        if (*c.answer) t.view.answers = {c.answer};

        t.Engine().Start(t.Engine().mnuFile_Click(c.index));

        ASSERT_EQ(t.view.boxes.size(), c.asks ? 1u : 0u);
        if (c.asks) {
            const MessageBoxSpec& box = t.view.boxes[0];
            EXPECT_EQ(box.Caption, "Save Game?");
            EXPECT_EQ(box.Text, "The current game has not yet been saved.  Would you like to save it now?");
            EXPECT_EQ(box.Buttons, BoxButtons::YesNoCancel);
            EXPECT_EQ(box.Icon, BoxIcon::Question);
            EXPECT_EQ(box.DefaultButton, 2);
        }
        EXPECT_EQ(s.GameRequest, c.request);
        EXPECT_EQ(t.records.saves, c.saves);
        EXPECT_EQ(t.view.Said("setup").size() + t.view.Said("resume list").size(), 0u) << "the running loop starts the new game";
        if (std::string(c.answer) == "CANCEL") {
            EXPECT_TRUE(t.view.busy) << "Cancel stops before the pointer is reset";
        } else {
            EXPECT_FALSE(s.PlayAgainRequested);
        }
    }
}

TEST(GameFileMenu, NewOrOpenWithoutARunningLoopStartsAtOnce)
{
    for (const int index : {1, 2}) {
        Table t;
        t.State().GameSaved = true;
        t.State().Scores = {0, 10, 20, 30, 40};

        t.Engine().Start(t.Engine().mnuFile_Click(index));

        EXPECT_EQ(t.view.Said("resume list").size(), index == 2 ? 1u : 0u);
        EXPECT_EQ(t.view.Said("setup").size(), 1u) << "a cancelled resume list falls back to the setup dialog";
        EXPECT_EQ(t.State().Scores, (std::array<std::int16_t, 5>{}));
        EXPECT_EQ(t.State().Players.Count(), 0);
        EXPECT_TRUE(t.State().GameRequest.empty());
        EXPECT_FALSE(t.view.busy);
    }
}

TEST(GameFileMenu, SaveAndExit)
{
    Table t;
    t.Engine().Start(t.Engine().mnuFile_Click(3));
    EXPECT_EQ(t.records.saves, 1);
    EXPECT_TRUE(t.State().GameRequest.empty());

    t.Engine().Start(t.Engine().mnuFile_Click(5));
    EXPECT_EQ(t.State().GameRequest, "EXIT_GAME");
    EXPECT_EQ(t.view.Last("caption"), kExiting);
    EXPECT_EQ(t.records.saves, 1);
    EXPECT_FALSE(t.view.busy);
}

TEST(QueryUnload, ClosingDuringPlayAsksTheGameToEnd)
{
    Table t;
    EXPECT_FALSE(t.Engine().Form_QueryUnload());
    EXPECT_EQ(t.State().GameRequest, "EXIT_GAME");
    EXPECT_EQ(t.view.Last("caption"), kExiting);

    Table leaving;
    leaving.State().ExitInProgress = true;
    EXPECT_TRUE(leaving.Engine().Form_QueryUnload());
    EXPECT_TRUE(leaving.State().GameRequest.empty());
}

TEST(MainGameLoop, EndsOnARequestOrAScoreAtTheLimit)
{
    const struct {
        const char* request;
        std::int16_t topScore;
        int exits;
        int setups;
        int timers;
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
        EXPECT_EQ(t.shell.exits.size(), static_cast<std::size_t>(c.exits));
        if (c.exits) {
            EXPECT_EQ(t.shell.exits[0], "");
        }
        EXPECT_EQ(t.view.Said("setup").size(), static_cast<std::size_t>(c.setups));
        EXPECT_EQ(t.view.Said("start timer").size(), static_cast<std::size_t>(c.timers));
        EXPECT_FALSE(t.State().MainLoopRunning);
    }
}

TEST(MainGameLoop, NewGameDuringAComputerTurnFinishesThatTurnFirst)
{
    Table t;
    t.Give(1, "B5 G2");
    t.Give(2, "B6 B7");
    t.Give(3, "B1 B2");
    t.Give(4, "B4 G4");
    t.Pile("B3");
    t.State().CurrTurn = 1;
    t.State().GameSaved = true;
    bool asked = false;
    t.view.onPause = [&](int) {
        if (asked) return;
        asked = true;
        t.Engine().Start(t.Engine().mnuFile_Click(1));
        EXPECT_EQ(t.State().GameRequest, "NEW_GAME");
        EXPECT_THAT(t.view.Said("setup"), IsEmpty()) << "only the request is set while the loop runs";
    };

    t.Engine().Start(t.Engine().MainGameLoop());

    EXPECT_TRUE(asked);
    EXPECT_THAT(t.view.Said("place"), ElementsAre("B5")) << "Abel's turn ends, Bea's never starts";
    EXPECT_EQ(t.view.Said("setup").size(), 1u);
    const auto first = [&t](std::string_view kind) {
        return std::find_if(t.view.log.begin(), t.view.log.end(), [&](const Entry& e) { return e.kind == kind; });
    };
    EXPECT_LT(first("place"), first("setup"));
    EXPECT_TRUE(t.shell.exits.empty());
}

} // namespace
