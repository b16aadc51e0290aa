// Drawing (and refilling the deck mid-draw), the Ask exchange started by a
// computer player (with a computer or the human asked), the human's Ask
// window and the colour window's buttons.

#include "ScriptedView.h"

#include <map>

using namespace vemo;
using namespace vemo::test;

namespace {

Task<void> DrawInto(GameEngine& engine, int count, CardCode& last)
{
    last = co_await engine.DrawCard(count);
}

TEST(DrawCard, DeckIsRefilledInTheMiddleOfAMultiCardDraw)
{
    struct Case {
        int start;
        int count;
        int fromOldDeck;
        int positionAfter;
        int rebuilds;
        const char* pileTop;
    };
    // After a colour choice the pile shows no card ("G*"): nothing is taken out
    // and position 1 keeps its card, unused until the next refill.
    const Case cases[] = {
        {92, 4, 1, 5, 1, "G4"}, {91, 4, 2, 4, 1, "G4"}, {90, 3, 3, 2, 1, "G4"},
        {89, 3, 3, 92, 0, "G4"}, {92, 1, 1, 2, 1, "G4"}, {91, 3, 2, 3, 1, "G*"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("from " + std::to_string(c.start) + ", " + std::to_string(c.count) + " cards");
        constexpr std::uint64_t kSeed = 99;
        const CardCode pileTop(c.pileTop);
        // The fresh deck the refill will build, from the same seed.
        SeedRandom(kSeed);
        CardDeck fresh;
        RebuildDeck(fresh, pileTop);

        Table t;
        t.Pile(pileTop);
        t.State().CurrColor = 'G';
        CardDeck& deck = t.State().Deck;
        for (int p = 1; p < c.start; ++p) deck(p) = BlankCard;
        deck.DeckPosition = static_cast<std::int16_t>(c.start);
        std::vector<CardCode> expected;
        for (int k = 0; k < c.fromOldDeck; ++k) expected.push_back(deck(c.start + k));
        for (int k = 0; expected.size() < static_cast<std::size_t>(c.count); ++k) expected.push_back(fresh(2 + k));
        t.State().CurrTurn = 2;
        SeedRandom(kSeed);

        CardCode last;
        t.Engine().Start(DrawInto(t.Engine(), c.count, last));

        EXPECT_EQ(t.Player(2).Hand(), expected);
        EXPECT_EQ(last, expected.back());
        EXPECT_EQ(deck.DeckPosition, c.positionAfter);
        EXPECT_EQ(t.view.Said("deck rebuilt").size(), static_cast<std::size_t>(c.rebuilds));
        if (c.rebuilds) {
            EXPECT_EQ(deck(1).IsBlank(), pileTop != CardCode("G*")) << "the pile's card is taken out of the fresh deck";
            for (int p = c.positionAfter; p <= kDeckSize; ++p) EXPECT_EQ(deck(p), fresh(p)) << p;
            for (int p = 2; p < c.positionAfter; ++p) EXPECT_TRUE(deck(p).IsBlank()) << p;
        }
        EXPECT_FALSE(t.State().GameSaved);
    }
}

TEST(ComputerAsk, ComputerAskedGivesTheFirstKindItHolds)
{
    struct Case {
        int asker;
        char direction;
        int asked;
        const char* askedHand;
        std::vector<std::string> kinds; // asked for, in order
        const char* moved;
        bool handOver;
    };
    const Case cases[] = {
        {1, 'R', 2, "LP B3", {"a Grace", "a Blessing", "a Prayer"}, "LP", false},
        {1, 'R', 2, "LB LG", {"a Grace"}, "LG", false},
        {2, 'L', 1, "LV", {"a Grace", "a Blessing", "a Prayer", "an Vemo"}, "LV", true},
        {3, 'L', 2, "R1 LB", {"a Grace", "a Blessing"}, "LB", false},
    };
    const char* names[5] = {"", "Abel", "Bea", "Cid", "Dora"};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(names[c.asker]) + " asks " + names[c.asked]);
        Table t;
        t.Give(c.asker, "G5");
        t.Give(c.asked, c.askedHand);
        t.State().CurrTurn = static_cast<std::int16_t>(c.asker);
        t.State().CurrDirection = c.direction;
        const int askedBefore = t.Player(c.asked).NumberOfCards();

        t.Engine().Start(t.Engine().AskForCOLComputerPlayer());

        std::vector<std::string> expected;
        for (const std::string& kind : c.kinds)
            expected.push_back(std::string(names[c.asker]) + " is currently asking " + names[c.asked] + " for " + kind +
                               " card...");
        expected.push_back("GOT IT!");
        EXPECT_THAT(t.view.Said("notice"), ElementsAreArray(expected));
        EXPECT_EQ(HandText(t.Player(c.asker)), std::string("G5 ") + c.moved);
        EXPECT_EQ(t.Player(c.asked).NumberOfCards(), askedBefore - 1);
        EXPECT_EQ(t.State().HandOver, c.handOver);
        EXPECT_EQ(t.State().HandWinner, c.handOver ? c.asked : 0);
        EXPECT_EQ(t.State().CurrTurn, c.asker);
        EXPECT_THAT(t.view.Said("question"), IsEmpty());
    }
}

const std::string kLie = "Your computer (which is overseeing the play of this game) has determined that you have lied! "
                         "'Do not lie to each other...' Colossians 3:9  Please tell the truth this time.";

TEST(ComputerAsk, HumanAskedIsCaughtLyingAndAskedTheSameKindAgainAndMaySayVemo)
{
    const auto asking = [](const char* kind) { return std::string("\"Dora!  Do you have ") + kind + " card?\" - Cid"; };
    const struct {
        const char* dora;
        std::vector<std::string> answers;
        std::vector<std::string> questions;
        int lies;
        const char* handsAfter; // Cid | Dora
        bool handOver;          // Dora gave her last card and says Vemo at the second wait
    } cases[] = {
        // Grace: a false yes, then the truth; Blessing: a false no, then the truth.
        {"LB G2", {"YES", "OK", "NO", "NO", "OK", "YES"}, {asking("a Grace"), asking("a Grace"), asking("a Blessing"), asking("a Blessing")},
         2, "G5 LB|G2", false},
        {"LV", {"NO", "NO", "NO", "YES"}, {asking("a Grace"), asking("a Blessing"), asking("a Prayer"), asking("an Vemo")},
         0, "G5 LV|", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dora);
        Table t;
        t.Give(3, "G5");
        t.Give(4, c.dora);
        t.State().CurrTurn = 3;
        t.view.answers.assign(c.answers.begin(), c.answers.end());
        t.view.sayVemoClickAt = 2;

        t.Engine().Start(t.Engine().AskForCOLComputerPlayer());

        EXPECT_THAT(t.view.Said("question"), ElementsAreArray(c.questions));
        EXPECT_THAT(t.view.Said("ok question"), ElementsAreArray(std::vector<std::string>(c.lies, kLie)));
        EXPECT_EQ(HandText(t.Player(3)) + "|" + HandText(t.Player(4)), c.handsAfter);
        EXPECT_EQ(t.State().HandOver, c.handOver);
        EXPECT_EQ(t.State().HandWinner, c.handOver ? 4 : 0);
        EXPECT_EQ(t.view.Count("bottom 1", "Dora needs to say Vemo"), c.handOver ? 1 : 0);
        EXPECT_EQ(t.view.Pauses(250), c.handOver ? 2 : 0);
    }
}

TEST(ComputerAsk, NobodyAnsweringSkipsTheAskedPlayer)
{
    for (const bool askerHasCards : {true, false}) {
        SCOPED_TRACE(askerHasCards ? "asker keeps cards" : "Ask was the asker's last card");
        Table t;
        if (askerHasCards) t.Give(1, "B4");
        t.Give(2, "B3 G2");
        t.Stack("R5 R6");
        t.State().CurrTurn = 1;

        t.Engine().Start(t.Engine().AskForCOLComputerPlayer());

        std::vector<std::string> expected = {
            "Abel is currently asking Bea for a Grace card...", "Abel is currently asking Bea for a Blessing card...",
            "Abel is currently asking Bea for a Prayer card...", "Abel is currently asking Bea for an Vemo card...",
            "Didn't have any cards of light.  Bea will draw a card and be skipped."};
        if (!askerHasCards) expected.push_back("A player can't end a hand with an Ask card so Abel will draw a card.");
        EXPECT_THAT(t.view.Said("notice"), ElementsAreArray(expected));
        EXPECT_EQ(HandText(t.Player(2)), "B3 G2 R5");
        EXPECT_EQ(HandText(t.Player(1)), askerHasCards ? "B4" : "R6");
        EXPECT_EQ(t.State().CurrTurn, 2) << "left on the skipped seat";
        EXPECT_FALSE(t.view.highlighted[1]);
        EXPECT_FALSE(t.State().HandOver);
    }
}

// The human's Ask window, opened on Abel (seat 1).
void OpenAskWindow(Table& t)
{
    t.State().CurrTurn = 4;
    t.State().AskWindow = AskWindowState{};
    t.State().AskWindow.AskedPlayer = 1;
    t.State().AskWindow.Open = true;
}

TEST(AskWindow, MissThenHitTransfersTheCardAndClosesTheWindow)
{
    Table t;
    t.Give(1, "LV B2");
    t.Give(4, "G5");
    OpenAskWindow(t);

    t.Engine().Start(t.Engine().cmdCOL_Click(1));

    EXPECT_THAT(t.view.Said("ask message"), ElementsAre("checking...", "Abel didn't have a Grace card.  Select again."));
    EXPECT_THAT(t.view.Said("ask mark"), ElementsAre("1 GRACE"));
    EXPECT_THAT(t.view.Said("pause"), ElementsAre("1000", "500", "1000"));
    EXPECT_TRUE(t.State().AskWindow.Open);
    EXPECT_FALSE(t.State().AskWindow.Checking);
    EXPECT_EQ(t.State().AskWindow.AskCount, 1);

    t.view.log.clear();
    t.Engine().Start(t.Engine().cmdCOL_Click(4));

    EXPECT_THAT(t.view.Said("ask message"), ElementsAre("checking...", "Abel had one.  Card is being transferred."));
    EXPECT_THAT(t.view.Said("ask mark"), ElementsAre("4 VEMO"));
    EXPECT_EQ(t.State().Tag, "1");
    EXPECT_FALSE(t.State().AskWindow.Open);
    EXPECT_EQ(t.view.Said("ask closed").size(), 1u);
    EXPECT_EQ(HandText(t.Player(4)), "G5 LV");
    EXPECT_EQ(HandText(t.Player(1)), "B2");
}

TEST(AskWindow, FourthMissMakesTheAskedPlayerDrawAndBeSkipped)
{
    for (const bool askerHasCards : {true, false}) {
        SCOPED_TRACE(askerHasCards ? "asker keeps cards" : "Ask was the asker's last card");
        Table t;
        t.Give(1, "B2 G3");
        if (askerHasCards) t.Give(4, "G5");
        t.Stack("R5 R6");
        OpenAskWindow(t);

        for (int index = 1; index <= 4; ++index) t.Engine().Start(t.Engine().cmdCOL_Click(index));

        std::vector<std::string> expected = {
            "checking...", "Abel didn't have a Grace card.  Select again.",
            "checking...", "Abel didn't have a Blessing card.  Select again.",
            "checking...", "Abel didn't have a Prayer card.  Select again.",
            "checking...", "Abel didn't have an Vemo card.",
            "Abel didn't have an Vemo card. Abel will draw a card and be skipped."};
        if (!askerHasCards) expected.push_back("A player can't end a hand with an Ask card so Dora will draw a card.");
        EXPECT_THAT(t.view.Said("ask message"), ElementsAreArray(expected));
        EXPECT_EQ(HandText(t.Player(1)), "B2 G3 R5");
        EXPECT_EQ(HandText(t.Player(4)), askerHasCards ? "G5" : "R6");
        EXPECT_EQ(t.State().CurrTurn, 1) << "left on the skipped seat";
        EXPECT_FALSE(t.State().AskWindow.Open);
        EXPECT_EQ(t.State().AskWindow.AskCount, 0);
        EXPECT_EQ(t.view.Said("ask closed").size(), 1u);
        EXPECT_FALSE(t.State().HandOver);
        EXPECT_TRUE(t.State().Tag.empty());
    }
}

TEST(AskWindow, ClicksThatCannotAskAreIgnored)
{
    const struct {
        const char* name;
        int index;
        std::function<void(AskWindowState&)> setup;
    } cases[] = {
        {"while checking", 1, [](AskWindowState& a) { a.Checking = true; }},
        {"window closed", 1, [](AskWindowState& a) { a.Open = false; }},
        {"index 0", 0, [](AskWindowState&) {}},
        {"index 5", 5, [](AskWindowState&) {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table t;
        t.Give(1, "LG");
        OpenAskWindow(t);
        c.setup(t.State().AskWindow);

        t.Engine().Start(t.Engine().cmdCOL_Click(c.index));

        EXPECT_THAT(t.view.Said("ask message"), IsEmpty());
        EXPECT_EQ(HandText(t.Player(1)), "LG");
    }
}

TEST(AskWindow, HumanAsksTheNextSeatInTheDirectionOfPlay)
{
    const struct {
        char direction;
        int asked;
        const char* caption;
    } cases[] = {{'R', 1, "Ask Abel for:"}, {'L', 3, "Ask Cid for:"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        Table t;
        t.Give(1, "LG R1");
        t.Give(3, "LG R1");
        t.Give(4, "LK G5");
        t.State().CurrDirection = c.direction;
        t.view.askClicks = {1};
        t.view.actions.push_back([&] { t.DoubleClick("LK"); });

        t.HumanTurn();

        EXPECT_THAT(t.view.Said("ask window"), ElementsAre(c.caption));
        EXPECT_EQ(t.State().AskWindow.AskedPlayer, c.asked);
        EXPECT_EQ(HandText(t.Player(c.asked)), "R1");
        EXPECT_EQ(HandText(t.Player(4)), "G5 LG");
        EXPECT_FALSE(t.State().HandOver);
        EXPECT_TRUE(t.State().Tag.empty());
        EXPECT_FALSE(t.State().SpecialAction);
    }
}

TEST(ColourAfterCardOfLight, ButtonsLeftToRightGiveBlueGreenPurpleRed)
{
    const std::map<int, std::pair<char, std::string>> cases = {
        {1, {'B', "Blue"}}, {2, {'G', "Green"}}, {3, {'P', "Purple"}}, {4, {'R', "Red"}},
        {0, {'B', "Blue"}}, {5, {'B', "Blue"}},
    };
    for (const auto& [index, expected] : cases) {
        Table t;
        t.State().CurrColor = 'L';
        t.Engine().cmdColor_Click(index);
        EXPECT_EQ(t.State().CurrColor, expected.first) << index;
        EXPECT_EQ(t.view.Last("bottom 4"), expected.second) << index;
    }
}

} // namespace
