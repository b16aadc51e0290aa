// The human's turn and its input handlers: owed draws, what may be played
// while cards are owed, the Trial notice, additional cards, the drawn-card
// question, drag and drop, sorting, saying Vemo, and leaving mid-turn.

#include "ScriptedView.h"

#include <sstream>

using namespace vemo;
using namespace vemo::test;

namespace {

using Texts = std::vector<std::string>;

const Texts kTrialNotices = {"You have cancelled a Trial card, but must still draw 1 card.",
                             "You have drawn a Red 5 card. You have finished drawing cards."};

// A whole turn of Dora's, one input per 500 ms poll: "draw" double-clicks the
// deck, a card code double-clicks that card. Each row runs on each pile it
// names; "%" in a status stands for the cards that pile's evil card owes. The
// deck's next cards are the stack; the colour window answers Green.
TEST(HumanTurn, OwedDrawsCancellersExtraCardsAndTheDrawnCard)
{
    const struct {
        const char* why;
        const char* hand;
        const char* piles;
        bool pending;
        const char* stack;
        const char* input;
        const char* answer; // to the drawn-card question
        Texts placed;
        const char* handAfter;
        char direction;
        Texts notices;
        Texts statuses; // bottom panel 1, in order; {} when not checked
        Texts told = {}; // the game log, when checked
    } cases[] = {
        {"a Temptation or a Trial: two owed draws", "G5 P6", "BT BR", true, "R5 R6", "draw draw", "", {},
         "G5 P6 R5 R6", 'R',
         {"You have drawn a Red 5 card. You must still draw 1 more card.",
          "You have drawn a Red 6 card. You have finished drawing cards."},
         {"Dora needs to draw 2 cards", "Dora needs to draw 1 card", "Dora has finished drawing"}},
        // While owing, a numbered card is refused without a word; a Grace
        // cancels and gives an additional card, a Prayer reverses and ends.
        {"Grace on a Devil, a Sin or a Temptation", "B3 LG G5", "BD BS BT", true, "", "B3 LG G5", "", {"LG", "G5"},
         "B3", 'R', {}, {"Dora needs to draw % cards", "Dora's Turn", "Dora's Turn"}},
        {"Prayer on a Devil or a Temptation", "B3 LP G5", "BD BT", true, "", "B3 LP G5", "", {"LP"}, "B3 G5", 'L', {},
         {"Dora needs to draw % cards", "Dora's Turn"}},
        // A Grace on a Trial, double-clicked or dropped (">"), still costs a card and gives no additional one.
        {"Grace on a Trial", "LG B3 G5", "BR", true, "R5", "LG draw G5", "", {"LG"}, "B3 G5 R5", 'R', kTrialNotices,
         {"Dora needs to draw 2 cards", "Dora still needs to draw 1", "Dora has finished drawing"}},
        {"Grace dropped on a Trial", "LG B3 G5", "BR", true, "R5", ">LG draw G5", "", {"LG"}, "B3 G5 R5", 'R',
         kTrialNotices, {"Dora needs to draw 2 cards", "Dora still needs to draw 1", "Dora has finished drawing"}},
        {"no card after the first owed draw", "LG B3", "BS", true, "R5 R6 R7", "draw LG draw draw", "", {},
         "LG B3 R5 R6 R7", 'R',
         {"You have drawn a Red 5 card. You must still draw 2 more cards.",
          "You have drawn a Red 6 card. You must still draw 1 more card.",
          "You have drawn a Red 7 card. You have finished drawing cards."},
         {}},
        // A Vemo ends a regular turn; a Blessing or a Grace gives another card.
        {"Vemo", "LV B4 G2", "B3", false, "", "LV G2", "", {"LV"}, "B4 G2", 'R', {}, {}},
        {"Blessing", "LB B4 G2", "B3", false, "", "LB G2", "", {"LB", "G2"}, "B4", 'R', {}, {}},
        {"Grace", "LG B4 G2", "B3", false, "", "LG G2", "", {"LG", "G2"}, "B4", 'R', {}, {}},
        // A drawn card is offered when it can be played.
        {"a playable card drawn and played", "G5 R6", "B3", false, "B7", "draw", "YES", {"B7"}, "G5 R6", 'R', {}, {}},
        {"a playable card drawn and kept", "G5 R6", "B3", false, "B7", "draw", "NO", {}, "G5 R6 B7", 'R', {}, {}},
        {"an unplayable card drawn", "G5 R6", "B3", false, "R1", "draw", "", {}, "G5 R6 R1", 'R',
         {"You have drawn a Red 1 card, and it cannot be played at this time."}, {}, {"Dora draws Red 1."}},
    };
    for (const auto& c : cases)
        for (const CardCode pile : Cards(c.piles)) {
            SCOPED_TRACE(std::string(c.why) + " on " + pile.ToString());
            Table t;
            t.Give(4, c.hand).Pile(pile, c.pending).Stack(c.stack);
            t.view.colorChoices = {2};
            if (*c.answer) t.view.answers = {c.answer};
            bool mustDrawAtStart = false;
            t.view.actions.push_back([&] { mustDrawAtStart = t.State().HumanMustDraw; });
            std::istringstream input(c.input);
            for (std::string step; input >> step;)
                t.view.actions.push_back([&t, step] {
                    step == "draw" ? t.DrawFromDeck() : step[0] == '>' ? t.Drop(step.substr(1)) : t.DoubleClick(step);
                });

            t.HumanTurn();

            EXPECT_EQ(mustDrawAtStart, c.pending);
            EXPECT_THAT(t.view.Said("place"), ElementsAreArray(c.placed));
            EXPECT_EQ(HandText(t.Player(4)), c.handAfter);
            EXPECT_EQ(t.State().CurrDirection, c.direction);
            EXPECT_THAT(t.view.Said("notice"), ElementsAreArray(c.notices));
            // Only the Trial notice has buttons; it waits for the deck's double-click, which closes it first.
            for (auto at = t.view.log.begin(); at != t.view.log.end(); ++at) {
                if (at->kind != "notice") continue;
                const bool trial = at->text == kTrialNotices[0];
                EXPECT_EQ(at->detail, static_cast<int>(trial ? NoticeHeight::WithButtons : NoticeHeight::MessageOnly));
                const auto next =
                    std::find_if(at + 1, t.view.log.end(), [](const Entry& e) { return e.kind != "pause"; });
                EXPECT_TRUE(!trial || (next != t.view.log.end() && next->kind == "hide")) << "the deck closes it";
            }
            Texts statuses = c.statuses;
            const char owed = pile.Value() == 'D' ? '4' : pile.Value() == 'S' ? '3' : '2';
            for (std::string& status : statuses) std::replace(status.begin(), status.end(), '%', owed);
            if (!statuses.empty()) {
                EXPECT_THAT(t.view.Said("bottom 1"), ElementsAreArray(statuses));
            }
            EXPECT_EQ(t.view.Said("question").size(), std::string(c.stack) == "B7" ? 1u : 0u);
            if (std::string(c.answer) == "YES") {
                EXPECT_EQ(t.view.Last("question"), "You have drawn a Blue 7 card.  Do you want to play this card?");
                EXPECT_EQ(t.view.Entries("place")[0].detail, 3) << "played from the last hand position";
            }
            if (c.pending && c.placed.empty()) {
                EXPECT_EQ(t.view.Pauses(2000), 1) << "the finished-drawing notice stays 2 seconds";
            }
            EXPECT_THAT(t.view.Said("invalid card"), IsEmpty()) << "refusals on the human's turn are silent";
            for (const GameEvent& e : t.view.events)
                EXPECT_EQ(DescribeEvent(e, t.State()).Reason, "") << "nothing the human does is explained";
            if (!c.told.empty()) {
                EXPECT_EQ(t.view.Told(), c.told);
            }
            // Whatever happened, nothing owed or locked is left behind.
            EXPECT_EQ(t.State().HumanDrawCount, 0);
            EXPECT_FALSE(t.State().HumanMustDraw || t.State().ForcedDrawStarted || t.State().DeckDrawBusy);
            EXPECT_EQ(t.State().PlayingCardIndex, 0);
            EXPECT_FALSE(t.State().SpecialAction);
            EXPECT_TRUE(t.State().DialogTag.empty());
        }
}

// When a press on a card may start a drag, whether the dragged card may move
// (with its sound), and when a double-click on the deck draws.
TEST(HumanTurnInput, PressDragAndDeckOnlyWhenAPlayOrADrawIsAllowed)
{
    const struct {
        const char* name;
        const char* card; // pressed, then dragged; "" none
        std::function<void(Table&)> setup;
        bool starts;
        int moves; // DragMayMove: 1, 0, or -1 unchecked
        int draws; // deck double-click: 1, 0, or -1 unchecked
    } cases[] = {
        {"own turn", "B4", [](Table&) {}, true, 1, 1},
        {"own turn, no sound", "B4", [](Table& t) { t.view.SetSound(false); }, true, 1, -1},
        {"own turn, a card that does not match", "G5", [](Table&) {}, true, 0, -1},
        {"not waiting", "B4", [](Table& t) { t.State().WaitingForHuman = false; }, false, -1, 0},
        {"deck busy", "B4", [](Table& t) { t.State().DeckDrawBusy = true; }, false, -1, 0},
        {"owed draw started", "LG", [](Table& t) { t.State().ForcedDrawStarted = true; }, false, -1, -1},
        {"another seat's turn", "B4", [](Table& t) { t.State().CurrTurn = 2; }, false, -1, 0},
        {"card already being played", "B4", [](Table& t) { t.State().HumanPlayedCard = true; }, false, -1, -1},
        {"numbered card while owing", "B4", [](Table& t) { t.State().HumanDrawCount = 2; }, false, -1, -1},
        {"Grace while owing", "LG", [](Table& t) { t.State().HumanDrawCount = 2; }, true, -1, -1},
        {"owed cards all drawn", "", [](Table& t) { t.State().HumanMustDraw = true; }, false, -1, 0},
        {"Vemo in the Prayer window", "LV", [](Table& t) { t.State().CurrTurn = 2; t.State().PrayerCardPlayed = true; },
         true, -1, -1},
        {"Vemo while a card is being played", "LV",
         [](Table& t) { t.State().CurrTurn = 2; t.State().PrayerCardPlayed = t.State().PlayInProgress = true; }, false,
         -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool deck : {false, true}) {
            Table t;
            t.Give(4, "B4 LG LV G5").Pile("B3").Turn(4);
            t.State().WaitingForHuman = true;
            c.setup(t);
            if (deck && c.draws >= 0) {
                t.DrawFromDeck();
                EXPECT_EQ(t.Player(4).NumberOfCards(), 4 + c.draws);
                EXPECT_EQ(t.view.Said("notice").size() + t.view.Said("question").size(), c.draws ? 1u : 0u);
            }
            if (deck || !*c.card) continue;
            EXPECT_EQ(t.Engine().cPlayer4Card_MouseDown(t.Face(c.card)), c.starts);
            if (c.starts) {
                EXPECT_EQ(t.State().CurrTurn, 4);
            }
            if (c.moves < 0) continue;
            EXPECT_EQ(t.Engine().DragMayMove(t.Face(c.card)), c.moves == 1);
            EXPECT_EQ(t.view.Said("wav"), c.moves && t.view.SoundOn() ? Texts{"11"} : Texts{});
        }
    }
    Table t;
    EXPECT_FALSE(t.Engine().DragMayMove(1)) << "no such face";
    t.Give(4, "B4").Turn(4);
    t.State().WaitingForHuman = true;
    EXPECT_FALSE(t.Engine().cPlayer4Card_MouseDown(0));
    EXPECT_FALSE(t.Engine().cPlayer4Card_MouseDown(2));
}

TEST(HumanTurnDragAndDrop, ADropPlaysOnlyOverThePileTouchingEdgesIncluded)
{
    const TwipsRect pile{6000, 3000, 1065, 1440};
    const struct {
        int left, top;
        bool overlaps;
    } cases[] = {
        // Touching an edge counts as over the pile.
        {6000 + 1065, 3000, true},  {6000 + 1066, 3000, false}, {6000 - 1065, 3000, true},  {6000 - 1066, 3000, false},
        {6000, 3000 + 1440, true},  {6000, 3000 + 1441, false}, {6000, 3000 - 1440, true},  {6000, 3000 - 1441, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.left) + "," + std::to_string(c.top));
        const TwipsRect card{c.left, c.top, 1065, 1440};
        Table t;
        t.Give(4, "G2 B4").Pile("B3").Turn(4);
        t.State().WaitingForHuman = true;

        t.Engine().Start(t.Engine().cPlayer4Card_MouseUp(t.Face("B4"), card, pile));

        const auto placed = t.view.Entries("place");
        ASSERT_EQ(placed.size(), c.overlaps ? 1u : 0u);
        EXPECT_EQ(HandText(t.Player(4)), c.overlaps ? "G2" : "G2 B4");
        EXPECT_EQ(t.State().HumanTurnDone, c.overlaps);
        EXPECT_EQ(t.State().HumanPlayedCard, c.overlaps);
        if (c.overlaps) {
            EXPECT_EQ(placed[0].detail, 0) << "a dropped card does not fly from the hand";
        }
    }
}

TEST(HumanTurnSorting, OnlyOnTheHumansOwnTurnAndInCharacterOrder)
{
    const struct {
        int turn, label;
        bool sorts;
    } cases[] = {{4, 4, true}, {2, 4, false}, {4, 3, false}};
    const char* dealt = "R2 LV B7 G1 BD LB B1 P5 BT";
    for (const auto& c : cases) {
        SCOPED_TRACE("turn " + std::to_string(c.turn) + ", label " + std::to_string(c.label));
        Table t;
        t.Give(4, dealt).Turn(c.turn);

        t.Engine().lblPlayer_Click(c.label);

        const auto expected = c.sorts ? Cards("B1 B7 BD BT G1 LB LV P5 R2") : Cards(dealt);
        EXPECT_EQ(t.State().HumanFaces, expected);
        EXPECT_EQ(HandText(t.Player(4)), dealt) << "the hand keeps its order; only the faces move";
        EXPECT_EQ(t.view.Said("face").size(), c.sorts ? expected.size() : 0u);
        if (!c.sorts) continue;

        // A sorted face is played by its position.
        t.State().WaitingForHuman = true;
        t.Engine().Start(t.Engine().cPlayer4Card_DblClick(1));
        const auto placed = t.view.Entries("place");
        ASSERT_EQ(placed.size(), 1u);
        EXPECT_EQ(placed[0].text, "B1");
        EXPECT_EQ(placed[0].detail, 1);
        EXPECT_EQ(HandText(t.Player(4)), "R2 LV B7 G1 BD LB P5 BT");
        EXPECT_EQ(t.State().HumanFaces, Cards("B7 BD BT G1 LB LV P5 R2"));
    }
}

TEST(SayVemoAfterLastCard, InTimeWithinTwentyOneWaitsElseAPenaltyCardAndPlayGoesOn)
{
    const struct {
        const char* last;
        int clickAt; // 0: never
        std::vector<int> colour;
        const char* currCardAfter;
    } cases[] = {{"B5", 1, {}, "B5"}, {"B5", 21, {}, "B5"}, {"B5", 0, {}, "B5"}, {"LV", 0, {2}, "G*"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.last) + " clicked at " + std::to_string(c.clickAt));
        Table t;
        t.Give(4, c.last).Pile("B3").Stack("R5");
        t.view.sayVemoClickAt = c.clickAt;
        t.view.colorChoices.assign(c.colour.begin(), c.colour.end());
        t.view.actions.push_back([&] { t.DoubleClick(c.last); });
        // The hand is over while the button waits, and the too-late notice is part of
        // the play: the deck is dead then, or a second card would be drawn.
        t.view.onPause = [&t](int ms) {
            if (ms == 250 || ms == 3000) t.DrawFromDeck();
        };

        t.HumanTurn();

        const bool inTime = c.clickAt > 0;
        EXPECT_THAT(t.view.Said("say-vemo button"), ElementsAre("shown", "hidden"));
        EXPECT_EQ(t.view.Pauses(250), inTime ? c.clickAt : 21);
        EXPECT_GT(t.view.Count("bottom 1", "Dora needs to say Vemo"), 0);
        EXPECT_EQ(t.view.Count("bottom 1", "Dora - too late!"), inTime ? 0 : 1);
        EXPECT_EQ(t.State().HandOver, inTime);
        EXPECT_EQ(t.State().HandWinner, inTime ? 4 : 0);
        EXPECT_EQ(HandText(t.Player(4)), inTime ? "" : "R5");
        EXPECT_EQ(t.State().CurrCard, CardCode(c.currCardAfter));
        const Texts told = t.view.Told();
        const auto said = std::find(told.begin(), told.end(),
                                    inTime ? "Dora says Vemo!" : "Dora did not say Vemo in time and must draw a card.");
        ASSERT_NE(said, told.end());
        if (inTime) continue;
        ASSERT_NE(said + 1, told.end());
        EXPECT_EQ(said[1], "Dora draws Red 5.");
        EXPECT_THAT(t.view.Said("notice"), ElementsAre("You did NOT click on the 'say Vemo' button.  Play will continue."));
        EXPECT_EQ(t.view.Pauses(3000), 1);
        EXPECT_EQ(t.State().CurrTurn, 4);
        EXPECT_EQ(t.view.Said("color window").size(), c.colour.size());
    }
}

TEST(HumanTurn, RequestToLeaveEndsTheWaitWithinOnePoll)
{
    // Dora owes four cards and has drawn one.
    Table t;
    t.Give(4, "G5").Pile("BD", true);
    t.view.actions.push_back([&] { t.DrawFromDeck(); });
    int polls = 0;
    t.view.onPause = [&](int ms) {
        if (ms == 500 && ++polls == 3) t.State().GameRequest = "NEW_GAME";
    };

    t.HumanTurn();

    EXPECT_EQ(t.view.Pauses(500), 3);
    EXPECT_EQ(t.State().GameRequest, "NEW_GAME");
    EXPECT_FALSE(t.State().HumanMustDraw || t.State().ForcedDrawStarted);
}

} // namespace
