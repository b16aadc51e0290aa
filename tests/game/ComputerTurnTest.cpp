// Drawing (and refilling the deck mid-draw), the Ask exchange started by a
// computer player (with a computer or the human asked), the human's Ask
// window and the colour window's buttons.

#include "ScriptedView.h"

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
        int start, count, fromOldDeck, positionAfter, rebuilds;
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

const char* const kNames[5] = {"", "Abel", "Bea", "Cid", "Dora"};
const char* const kKinds[5] = {"", "Grace", "Blessing", "Prayer", "Vemo"};

// What the game log tells of an Ask that tried `kinds` kinds and found the last
// one or none; then the skip, and the draw of an asker left without cards.
std::vector<std::string> AskTold(int asker, int asked, int kinds, bool found, bool askerEmpty)
{
    const std::string by = kNames[asker], of = kNames[asked];
    std::vector<std::string> told;
    for (int k = 1; k <= kinds; ++k)
        told.push_back(by + " asks " + of + " for a " + kKinds[k] + " card. " + of +
                       (found && k == kinds ? " hands one over." : " has none."));
    if (!found) told.insert(told.end(), {of + " is skipped.", of + " draws a card."});
    // (The human is told the card drawn: the second of the deck, R6, in these tests.)
    if (askerEmpty) told.insert(told.end(), {by + " cannot end the hand on an Ask card and must draw a card.",
                                             by + (asker == 4 ? " draws Red 6." : " draws a card.")});
    return told;
}

TEST(ComputerAsk, AComputerAskedGivesTheFirstKindItHoldsOrDrawsAndIsSkipped)
{
    const struct {
        int asker;
        char direction;
        int asked;
        const char* askerHand;
        const char* askedHand;
        int kinds; // asked for, Grace first
        bool found;
        const char* handsAfter; // asker | asked
    } cases[] = {
        {1, 'R', 2, "G5", "LP B3", 3, true, "G5 LP|B3"},
        {1, 'R', 2, "G5", "LB LG", 1, true, "G5 LG|LB"},
        {2, 'L', 1, "G5", "LV", 4, true, "G5 LV|"}, // the asked player's last card: the hand is over
        {3, 'L', 2, "G5", "R1 LB", 2, true, "G5 LB|R1"},
        {1, 'R', 2, "B4", "B3 G2", 4, false, "B4|B3 G2 R5"},
        {1, 'R', 2, "", "B3 G2", 4, false, "R6|B3 G2 R5"}, // the Ask was the asker's last card
    };
    const char* words[5] = {"", "a Grace", "a Blessing", "a Prayer", "an Vemo"};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(kNames[c.asker]) + " asks " + kNames[c.asked] + " holding " + c.askedHand);
        Table t;
        t.Give(c.asker, c.askerHand).Give(c.asked, c.askedHand).Stack("R5 R6").Turn(c.asker);
        t.State().CurrDirection = c.direction;

        t.Engine().Start(t.Engine().AskForCOLComputerPlayer());

        const std::string by = kNames[c.asker], of = kNames[c.asked];
        std::vector<std::string> notices;
        for (int k = 1; k <= c.kinds; ++k)
            notices.push_back(by + " is currently asking " + of + " for " + words[k] + " card...");
        notices.push_back(c.found ? "GOT IT!" : "Didn't have any cards of light.  " + of + " will draw a card and be skipped.");
        if (!*c.askerHand) notices.push_back("A player can't end a hand with an Ask card so " + by + " will draw a card.");
        EXPECT_THAT(t.view.Said("notice"), ElementsAreArray(notices));
        EXPECT_THAT(t.view.Told(), ElementsAreArray(AskTold(c.asker, c.asked, c.kinds, c.found, !*c.askerHand)));
        EXPECT_EQ(HandText(t.Player(c.asker)) + "|" + HandText(t.Player(c.asked)), c.handsAfter);
        const bool handOver = c.found && t.Player(c.asked).NumberOfCards() == 0;
        EXPECT_EQ(t.State().HandOver, handOver);
        EXPECT_EQ(t.State().HandWinner, handOver ? c.asked : 0);
        EXPECT_EQ(t.State().CurrTurn, c.found ? c.asker : c.asked) << "a skipped seat keeps the turn";
        EXPECT_FALSE(!c.found && t.view.highlighted[static_cast<std::size_t>(c.asker)]);
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
        std::vector<std::string> told;
    } cases[] = {
        // Grace: a false yes, then the truth; Blessing: a false no, then the truth.
        {"LB G2", {"YES", "OK", "NO", "NO", "OK", "YES"},
         {asking("a Grace"), asking("a Grace"), asking("a Blessing"), asking("a Blessing")}, 2, "G5 LB|G2", false,
         {"Dora answered Cid falsely about a Grace card and is asked again.",
          "Cid asks Dora for a Grace card. Dora has none.",
          "Dora answered Cid falsely about a Blessing card and is asked again.",
          "Cid asks Dora for a Blessing card. Dora hands one over."}},
        {"LV", {"NO", "NO", "NO", "YES"}, {asking("a Grace"), asking("a Blessing"), asking("a Prayer"), asking("an Vemo")},
         0, "G5 LV|", true, AskTold(3, 4, 4, true, false)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dora);
        Table t;
        t.Give(3, "G5").Give(4, c.dora).Turn(3);
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
        std::vector<std::string> told = c.told;
        if (c.handOver) told.push_back("Dora says Vemo!");
        EXPECT_THAT(t.view.Told(), ElementsAreArray(told));
    }
}

const std::vector<std::string> kFourMisses = {
    "checking...", "Abel didn't have a Grace card.  Select again.",  "checking...",
    "Abel didn't have a Blessing card.  Select again.", "checking...", "Abel didn't have a Prayer card.  Select again.",
    "checking...", "Abel didn't have an Vemo card.", "Abel didn't have an Vemo card. Abel will draw a card and be skipped."};
const std::vector<std::string> kFourMarks = {"1 GRACE", "2 BLESSING", "3 PRAYER", "4 VEMO"};

// The human's Ask window, opened on Abel (seat 1): each row clicks its
// buttons in turn while the window stays open; an asker left without cards draws.
TEST(AskWindow, EachMissIsMarkedAndAHitTakesTheCardAFourthMissMakesAbelDraw)
{
    const struct {
        const char* abel;
        const char* dora;
        std::vector<int> clicks;
        std::vector<std::string> messages;
        std::vector<std::string> marks;
        const char* handsAfter; // Abel | Dora
        int kinds;              // asked for, in the table's order when clicked 1, 2, 3, 4
        bool found;
    } cases[] = {
        {"LV B2", "G5", {1, 4}, {"checking...", "Abel didn't have a Grace card.  Select again.", "checking...",
                                 "Abel had one.  Card is being transferred."},
         {"1 GRACE", "4 VEMO"}, "B2|G5 LV", 0, true},
        {"LB R3", "G2", {1, 2}, {"checking...", "Abel didn't have a Grace card.  Select again.", "checking...",
                                 "Abel had one.  Card is being transferred."},
         {"1 GRACE", "2 BLESSING"}, "R3|G2 LB", 2, true},
        {"B2 G3", "G5", {1, 2, 3, 4}, kFourMisses, kFourMarks, "B2 G3 R5|G5", 4, false},
        {"B2 G3", "", {1, 2, 3, 4}, kFourMisses, kFourMarks, "B2 G3 R5|R6", 4, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.abel) + " | " + c.dora);
        Table t;
        t.Give(1, c.abel).Give(4, c.dora).Stack("R5 R6").Turn(4);
        t.State().AskWindow = {.AskedPlayer = 1, .Open = true};
        std::vector<std::string> pauses;

        for (int index : c.clicks) {
            t.Engine().Start(t.Engine().cmdCOL_Click(index));
            if (pauses.empty()) pauses = t.view.Said("pause");
            EXPECT_FALSE(t.State().AskWindow.Checking);
        }

        EXPECT_THAT(pauses, ElementsAre("1000", "500", "1000")) << "a miss: checking, the message, then the buttons";
        std::vector<std::string> messages = c.messages;
        if (!*c.dora) messages.push_back("A player can't end a hand with an Ask card so Dora will draw a card.");
        EXPECT_THAT(t.view.Said("ask message"), ElementsAreArray(messages));
        EXPECT_THAT(t.view.Said("ask mark"), ElementsAreArray(c.marks));
        EXPECT_EQ(HandText(t.Player(1)) + "|" + HandText(t.Player(4)), c.handsAfter);
        if (c.kinds) {
            EXPECT_THAT(t.view.Told(), ElementsAreArray(AskTold(4, 1, c.kinds, c.found, !*c.dora)));
        }
        EXPECT_FALSE(t.State().AskWindow.Open);
        EXPECT_EQ(t.State().AskWindow.AskCount, 0);
        EXPECT_EQ(t.view.Said("ask closed").size(), 1u);
        EXPECT_EQ(t.State().Tag, c.found ? "1" : "");
        EXPECT_EQ(t.State().CurrTurn, c.found ? 4 : 1) << "a skipped seat keeps the turn";
        EXPECT_FALSE(t.State().HandOver);

        // Once closed, or while a click is being checked, the buttons do nothing.
        for (const bool checking : {false, true}) {
            t.State().AskWindow = {.AskedPlayer = 1, .Checking = checking, .Open = checking};
            for (int index : {0, 1, 5}) t.Engine().Start(t.Engine().cmdCOL_Click(index));
        }
        EXPECT_EQ(t.view.Said("ask message").size(), messages.size());
        EXPECT_EQ(HandText(t.Player(1)) + "|" + HandText(t.Player(4)), c.handsAfter);
    }
}

TEST(AskWindow, TheHumansAskGoesToTheNextSeatInTheDirectionOfPlay)
{
    const struct {
        char direction;
        const char* caption;
        int asked;
        const char* askedHand;  // asked for a Grace, then a Blessing, ...
        const char* handsAfter; // asked | Dora
        bool handOver;          // Dora took the asked seat's last card
    } cases[] = {{'R', "Ask Abel for:", 1, "LG R1", "R1|G5 LG", false},
                 {'L', "Ask Cid for:", 3, "LG R1", "R1|G5 LG", false},
                 {'R', "Ask Abel for:", 1, "LB", "|G5 LB", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption + std::string(" ") + c.askedHand);
        Table t;
        t.Give(c.asked, c.askedHand).Give(4, "LK G5");
        t.State().CurrDirection = c.direction;
        t.view.actions.push_back([&] { t.DoubleClick("LK"); });

        t.HumanTurn();

        EXPECT_THAT(t.view.Said("ask window"), ElementsAre(c.caption));
        EXPECT_EQ(t.State().AskWindow.AskedPlayer, c.asked);
        EXPECT_EQ(HandText(t.Player(c.asked)) + "|" + HandText(t.Player(4)), c.handsAfter);
        EXPECT_EQ(t.State().HandOver, c.handOver);
        EXPECT_EQ(t.State().HandWinner, c.handOver ? c.asked : 0);
        EXPECT_TRUE(t.view.Count("bottom 1", "Dora asking for Card of Light") > 0);
        if (c.handOver) continue;
        EXPECT_TRUE(t.State().Tag.empty());
        EXPECT_FALSE(t.State().SpecialAction);
    }
}

TEST(ColourAfterCardOfLight, ButtonsLeftToRightGiveBlueGreenPurpleRed)
{
    const char* names[6] = {"Blue", "Blue", "Green", "Purple", "Red", "Blue"}; // 0 and 5: no such button
    for (int index = 0; index <= 5; ++index) {
        Table t;
        t.State().CurrColor = 'L';
        t.Engine().cmdColor_Click(index);
        EXPECT_EQ(t.State().CurrColor, names[index][0]) << index;
        EXPECT_EQ(t.view.Last("bottom 4"), names[index]) << index;
    }
}

} // namespace
