// The human's turn and its input handlers: owed draws, what may be played
// while cards are owed, the Trial notice, additional cards, the drawn-card
// question, drag and drop, sorting, saying Vemo, and leaving mid-turn.

#include "ScriptedView.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace vemo;
using namespace vemo::test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

std::vector<std::string> BottomStatuses(const ScriptedView& view)
{
    std::vector<std::string> texts;
    for (const StatusEntry& s : view.statuses)
        if (s.bar == StatusBar::Bottom && s.panel == 1) texts.push_back(s.text);
    return texts;
}

struct OwedCase {
    const char* pending;
    int owed;
    std::vector<std::string> notices;
    std::vector<std::string> statuses;
};

TEST(HumanTurn, OwedDrawsAreCountedDownUntilTheTurnEnds)
{
    const OwedCase cases[] = {
        {"BT", 2,
         {"You have drawn a Red 5 card. You must still draw 1 more card.",
          "You have drawn a Red 6 card. You have finished drawing cards."},
         {"Dora needs to draw 2 cards", "Dora needs to draw 1 card", "Dora has finished drawing"}},
        {"BR", 2,
         {"You have drawn a Red 5 card. You must still draw 1 more card.",
          "You have drawn a Red 6 card. You have finished drawing cards."},
         {"Dora needs to draw 2 cards", "Dora needs to draw 1 card", "Dora has finished drawing"}},
        {"BS", 3,
         {"You have drawn a Red 5 card. You must still draw 2 more cards.",
          "You have drawn a Red 6 card. You must still draw 1 more card.",
          "You have drawn a Card of Light Vemo card. You have finished drawing cards."},
         {"Dora needs to draw 3 cards", "Dora needs to draw 2 cards", "Dora needs to draw 1 card",
          "Dora has finished drawing"}},
        {"BD", 4,
         {"You have drawn a Red 5 card. You must still draw 3 more cards.",
          "You have drawn a Red 6 card. You must still draw 2 more cards.",
          "You have drawn a Card of Light Vemo card. You must still draw 1 more card.",
          "You have drawn a Green Devil card. You have finished drawing cards."},
         {"Dora needs to draw 4 cards", "Dora needs to draw 3 cards", "Dora needs to draw 2 cards",
          "Dora needs to draw 1 card", "Dora has finished drawing"}},
    };
    for (const OwedCase& c : cases) {
        SCOPED_TRACE(c.pending);
        Table t;
        t.Give(4, "G5 P6");
        t.Pile(c.pending, true);
        t.Stack("R5 R6 LV GD");
        bool mustDrawAtStart = false;
        t.view.actions.push_back([&] {
            mustDrawAtStart = t.State().HumanMustDraw;
            t.DrawFromDeck();
        });
        for (int k = 1; k < c.owed; ++k) t.view.actions.push_back([&] { t.DrawFromDeck(); });

        t.HumanTurn();

        EXPECT_TRUE(mustDrawAtStart);
        EXPECT_THAT(t.view.NoticeTexts(), ElementsAreArray(c.notices));
        EXPECT_THAT(BottomStatuses(t.view), ElementsAreArray(c.statuses));
        EXPECT_EQ(t.Player(4).NumberOfCards(), 2 + c.owed);
        EXPECT_THAT(t.view.placements, IsEmpty());
        EXPECT_EQ(t.view.CountPauses(2000), 1) << "the finished-drawing notice stays up for 2 seconds";
        EXPECT_EQ(t.State().HumanDrawCount, 0);
        EXPECT_FALSE(t.State().HumanMustDraw);
        EXPECT_FALSE(t.State().ForcedDrawStarted);
        EXPECT_FALSE(t.State().SpecialAction);
    }
}

struct CancelCase {
    const char* pending;
    const char* canceller;
    std::vector<std::string> placed;
    char direction;
    const char* handAfter;
};

// Hand: B3 (numbered, refused while owing), the canceller, G5 (the additional card).
TEST(HumanTurn, WhileOwingOnlyGraceOrPrayerIsAccepted)
{
    const CancelCase cases[] = {
        {"BD", "LG", {"LG", "G5"}, 'R', "B3"},
        {"BS", "LG", {"LG", "G5"}, 'R', "B3"},
        {"BT", "LG", {"LG", "G5"}, 'R', "B3"},
        {"BD", "LP", {"LP"}, 'L', "B3 G5"},
        {"BT", "LP", {"LP"}, 'L', "B3 G5"},
    };
    for (const CancelCase& c : cases) {
        SCOPED_TRACE(std::string(c.canceller) + " on " + c.pending);
        Table t;
        t.Give(4, std::string("B3 ") + c.canceller + " G5");
        t.Pile(c.pending, true);
        t.view.colorChoices = {2};
        int placedAfterNumbered = -1;
        t.view.actions.push_back([&] {
            t.DoubleClick("B3");
            placedAfterNumbered = static_cast<int>(t.view.placements.size());
        });
        t.view.actions.push_back([&] { t.DoubleClick(c.canceller); });
        t.view.actions.push_back([&] { t.DoubleClick("G5"); });

        t.HumanTurn();

        EXPECT_EQ(placedAfterNumbered, 0);
        EXPECT_THAT(t.view.PlacedCards(), ElementsAreArray(c.placed));
        EXPECT_EQ(t.State().CurrDirection, c.direction);
        EXPECT_EQ(HandText(t.Player(4)), c.handAfter);
        EXPECT_EQ(t.State().HumanDrawCount, 0);
        EXPECT_TRUE(t.view.StatusWasShown(StatusBar::Bottom, 1, "Dora's Turn"));
        EXPECT_EQ(t.view.invalidCards, 0) << "refusals on the human's turn are silent";
    }
}

TEST(HumanTurn, NoCardMayBePlayedAfterTheFirstOwedDraw)
{
    Table t;
    t.Give(4, "LG B3");
    t.Pile("BS", true);
    t.Stack("R5 R6 R7");
    bool mayDrag = true;
    t.view.actions.push_back([&] { t.DrawFromDeck(); });
    t.view.actions.push_back([&] {
        t.DoubleClick("LG");
        mayDrag = t.Engine().cPlayer4Card_MouseDown(t.Face("LG"));
    });
    t.view.actions.push_back([&] { t.DrawFromDeck(); });
    t.view.actions.push_back([&] { t.DrawFromDeck(); });

    t.HumanTurn();

    EXPECT_FALSE(mayDrag);
    EXPECT_THAT(t.view.placements, IsEmpty());
    EXPECT_EQ(HandText(t.Player(4)), "LG B3 R5 R6 R7");
}

TEST(HumanTurn, GraceOnATrialStillCostsOneCardAndNoAdditionalCard)
{
    for (const bool byDrop : {false, true}) {
        SCOPED_TRACE(byDrop ? "dropped" : "double-clicked");
        Table t;
        t.Give(4, "LG B3 G5");
        t.Pile("BR", true);
        t.Stack("R5");
        t.view.colorChoices = {2};
        std::string tagBeforeDraw;
        int hidesBeforeDraw = 0;
        int owedBeforeDraw = 0;
        bool turnDoneBeforeDraw = true;
        t.view.actions.push_back([&] {
            if (!byDrop) {
                t.DoubleClick("LG");
                return;
            }
            const int face = t.Face("LG");
            ASSERT_TRUE(t.Engine().cPlayer4Card_MouseDown(face));
            ASSERT_TRUE(t.Engine().DragMayMove(face));
            const TwipsRect pile{6000, 3000, 1065, 1440};
            t.Engine().Start(t.Engine().cPlayer4Card_MouseUp(face, pile, pile));
        });
        t.view.actions.push_back([&] {
            tagBeforeDraw = t.State().DialogTag;
            hidesBeforeDraw = t.view.hides;
            owedBeforeDraw = t.State().HumanDrawCount;
            turnDoneBeforeDraw = t.State().HumanTurnDone;
            t.DrawFromDeck();
        });
        t.view.actions.push_back([&] { t.DoubleClick("G5"); }); // must never run

        t.HumanTurn();

        EXPECT_EQ(tagBeforeDraw, "WAIT");
        EXPECT_EQ(owedBeforeDraw, 1);
        EXPECT_FALSE(turnDoneBeforeDraw);
        ASSERT_EQ(t.view.notices.size(), 2u);
        EXPECT_EQ(t.view.notices[0].text, "You have cancelled a Trial card, but must still draw 1 card.");
        EXPECT_EQ(t.view.notices[0].height, NoticeHeight::WithButtons);
        EXPECT_EQ(t.view.notices[1].text, "You have drawn a Red 5 card. You have finished drawing cards.");
        EXPECT_EQ(t.view.notices[1].height, NoticeHeight::MessageOnly);
        EXPECT_GT(t.view.hides, hidesBeforeDraw) << "the deck double-click closes the Trial notice";
        EXPECT_TRUE(t.State().DialogTag.empty());
        EXPECT_TRUE(t.view.StatusWasShown(StatusBar::Bottom, 1, "Dora still needs to draw 1"));
        EXPECT_THAT(t.view.PlacedCards(), ElementsAre("LG"));
        EXPECT_EQ(HandText(t.Player(4)), "B3 G5 R5");
        EXPECT_EQ(t.view.actions.size(), 1u) << "no additional card after a Grace on a Trial";
        EXPECT_EQ(t.State().CurrCard, CardCode("G*"));
    }
}

TEST(HumanTurn, VemoEndsARegularTurnAndBlessingGivesAnother)
{
    struct Case {
        const char* first;
        std::vector<std::string> placed;
        std::size_t actionsLeft;
    };
    const Case cases[] = {{"LV", {"LV"}, 1}, {"LB", {"LB", "B4"}, 0}, {"LG", {"LG", "B4"}, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        Table t;
        t.Give(4, std::string(c.first) + " B4 G2");
        t.Pile("B3");
        t.view.colorChoices = {1};
        t.view.actions.push_back([&] { t.DoubleClick(c.first); });
        t.view.actions.push_back([&] { t.DoubleClick("B4"); });

        t.HumanTurn();

        EXPECT_THAT(t.view.PlacedCards(), ElementsAreArray(c.placed));
        EXPECT_EQ(t.view.actions.size(), c.actionsLeft);
        EXPECT_FALSE(t.State().SpecialAction);
    }
}

TEST(HumanTurn, DrawnPlayableCardIsPlayedOnlyWhenAccepted)
{
    // "": the question closed without an answer keeps the card.
    for (const char* answer : {"YES", "NO", ""}) {
        SCOPED_TRACE(answer);
        Table t;
        t.Give(4, "G5 R6");
        t.Pile("B3");
        t.Stack("B7");
        t.view.questionAnswers = {answer};
        t.view.actions.push_back([&] { t.DrawFromDeck(); });

        t.HumanTurn();

        EXPECT_THAT(t.view.QuestionTexts(), ElementsAre("You have drawn a Blue 7 card.  Do you want to play this card?"));
        if (std::string(answer) == "YES") {
            ASSERT_EQ(t.view.placements.size(), 1u);
            EXPECT_EQ(t.view.placements[0].card, CardCode("B7"));
            EXPECT_EQ(t.view.placements[0].playingCardIndex, 3) << "played from the last hand position";
            EXPECT_EQ(HandText(t.Player(4)), "G5 R6");
            EXPECT_EQ(t.State().CurrCard, CardCode("B7"));
        } else {
            EXPECT_THAT(t.view.placements, IsEmpty());
            EXPECT_EQ(HandText(t.Player(4)), "G5 R6 B7");
        }
        EXPECT_EQ(t.State().PlayingCardIndex, 0);
        EXPECT_FALSE(t.State().DeckDrawBusy);
    }
}

TEST(HumanTurn, DrawnUnplayableCardEndsTheTurn)
{
    Table t;
    t.Give(4, "G5");
    t.Pile("B3");
    t.Stack("R1");
    t.view.actions.push_back([&] { t.DrawFromDeck(); });

    t.HumanTurn();

    EXPECT_THAT(t.view.NoticeTexts(), ElementsAre("You have drawn a Red 1 card, and it cannot be played at this time."));
    EXPECT_THAT(t.view.questions, IsEmpty());
    EXPECT_THAT(t.view.placements, IsEmpty());
    EXPECT_EQ(HandText(t.Player(4)), "G5 R1");
    EXPECT_EQ(t.view.invalidCards, 0);
    EXPECT_FALSE(t.State().DeckDrawBusy);
}

TEST(HumanTurnInput, DeckDoubleClickIgnoredOutsideAFreeOrOwedDraw)
{
    struct Case {
        const char* name;
        std::function<void(GameState&)> setup;
    };
    const Case cases[] = {
        {"not waiting", [](GameState& s) { s.WaitingForHuman = false; }},
        {"another seat's turn", [](GameState& s) { s.CurrTurn = 2; }},
        {"deck busy", [](GameState& s) { s.DeckDrawBusy = true; }},
        {"owed cards all drawn", [](GameState& s) { s.HumanMustDraw = true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Table t;
        t.Give(4, "G5");
        t.State().CurrTurn = 4;
        t.State().WaitingForHuman = true;
        c.setup(t.State());

        t.DrawFromDeck();

        EXPECT_EQ(t.Player(4).NumberOfCards(), 1);
        EXPECT_THAT(t.view.notices, IsEmpty());
        EXPECT_THAT(t.view.questions, IsEmpty());
    }
}

TEST(HumanTurnDragAndDrop, OverlapIncludesTouchingEdges)
{
    const TwipsRect pile{6000, 3000, 1065, 1440};
    struct Case {
        int left;
        int top;
        bool overlaps;
    };
    const Case cases[] = {
        {6000, 3000, true},
        {6000 + 1065, 3000, true},  // touches the right edge
        {6000 + 1066, 3000, false},
        {6000 - 1065, 3000, true},  // touches the left edge
        {6000 - 1066, 3000, false},
        {6000, 3000 + 1440, true},  // touches the bottom edge
        {6000, 3000 + 1441, false},
        {6000, 3000 - 1440, true},  // touches the top edge
        {6000, 3000 - 1441, false},
        {6000 + 1065, 3000 + 1440, true}, // corner to corner
        {6000 + 1066, 3000 + 1441, false},
        {0, 0, false},
    };
    for (const Case& c : cases) {
        const TwipsRect card{c.left, c.top, 1065, 1440};
        EXPECT_EQ(CardOverlapsPile(card, pile), c.overlaps) << c.left << "," << c.top;
    }
}

TEST(HumanTurnDragAndDrop, PressStartsADragOnlyWhenAPlayIsAllowed)
{
    struct Case {
        const char* name;
        const char* card;
        std::function<void(GameState&)> setup;
        bool starts;
    };
    const Case cases[] = {
        {"own turn", "B4", [](GameState&) {}, true},
        {"not waiting", "B4", [](GameState& s) { s.WaitingForHuman = false; }, false},
        {"deck busy", "B4", [](GameState& s) { s.DeckDrawBusy = true; }, false},
        {"owed draw started", "LG", [](GameState& s) { s.ForcedDrawStarted = true; }, false},
        {"another seat's turn", "B4", [](GameState& s) { s.CurrTurn = 2; }, false},
        {"card already being played", "B4", [](GameState& s) { s.HumanPlayedCard = true; }, false},
        {"numbered card while owing", "B4", [](GameState& s) { s.HumanDrawCount = 2; }, false},
        {"Grace while owing", "LG", [](GameState& s) { s.HumanDrawCount = 2; }, true},
        {"Vemo in the Prayer window", "LV",
         [](GameState& s) {
             s.CurrTurn = 2;
             s.PrayerCardPlayed = true;
         },
         true},
        {"Vemo while a card is being played", "LV",
         [](GameState& s) {
             s.CurrTurn = 2;
             s.PrayerCardPlayed = true;
             s.PlayInProgress = true;
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Table t;
        t.Give(4, "B4 LG LV G5");
        t.Pile("B3");
        t.State().CurrTurn = 4;
        t.State().WaitingForHuman = true;
        c.setup(t.State());

        EXPECT_EQ(t.Engine().cPlayer4Card_MouseDown(t.Face(c.card)), c.starts);
        if (c.starts) {
            EXPECT_EQ(t.State().CurrTurn, 4);
        }
    }
    Table t;
    t.Give(4, "B4");
    t.State().CurrTurn = 4;
    t.State().WaitingForHuman = true;
    EXPECT_FALSE(t.Engine().cPlayer4Card_MouseDown(0));
    EXPECT_FALSE(t.Engine().cPlayer4Card_MouseDown(2));
}

TEST(HumanTurnDragAndDrop, RefusedCardDoesNotMove)
{
    struct Case {
        const char* card;
        bool sound;
        bool moves;
        std::vector<int> wavs;
    };
    const Case cases[] = {{"G5", true, false, {}}, {"B4", true, true, {11}}, {"B4", false, true, {}}};
    for (const Case& c : cases) {
        Table t;
        t.view.sound = c.sound;
        t.Give(4, "B4 G5");
        t.Pile("B3");
        t.State().CurrTurn = 4;
        t.State().WaitingForHuman = true;

        EXPECT_EQ(t.Engine().DragMayMove(t.Face(c.card)), c.moves) << c.card;
        EXPECT_THAT(t.view.wavs, ElementsAreArray(c.wavs));
    }
    Table t;
    EXPECT_FALSE(t.Engine().DragMayMove(1)) << "no such face";
}

TEST(HumanTurnDragAndDrop, DropPlaysOnlyOverThePile)
{
    const TwipsRect pile{6000, 3000, 1065, 1440};
    for (const bool over : {true, false}) {
        SCOPED_TRACE(over ? "over the pile" : "beside the pile");
        Table t;
        t.Give(4, "G2 B4");
        t.Pile("B3");
        t.State().CurrTurn = 4;
        t.State().WaitingForHuman = true;
        const TwipsRect card{over ? pile.Left + pile.Width : pile.Left + pile.Width + 1, pile.Top, 1065, 1440};

        t.Engine().Start(t.Engine().cPlayer4Card_MouseUp(t.Face("B4"), card, pile));

        if (over) {
            ASSERT_EQ(t.view.placements.size(), 1u);
            EXPECT_EQ(t.view.placements[0].card, CardCode("B4"));
            EXPECT_EQ(t.view.placements[0].playingCardIndex, 0) << "a dropped card does not fly from the hand";
            EXPECT_TRUE(t.State().HumanTurnDone);
        } else {
            EXPECT_THAT(t.view.placements, IsEmpty());
            EXPECT_FALSE(t.State().HumanPlayedCard);
            EXPECT_EQ(HandText(t.Player(4)), "G2 B4");
        }
    }
}

TEST(HumanTurnSorting, OnlyOnTheHumansOwnTurnAndInCharacterOrder)
{
    struct Case {
        int turn;
        int label;
        bool sorts;
    };
    const Case cases[] = {{4, 4, true}, {2, 4, false}, {4, 3, false}};
    const char* dealt = "R2 LV B7 G1 BD LB B1 P5 BT";
    for (const Case& c : cases) {
        SCOPED_TRACE("turn " + std::to_string(c.turn) + ", label " + std::to_string(c.label));
        Table t;
        t.Give(4, dealt);
        t.State().CurrTurn = static_cast<std::int16_t>(c.turn);

        t.Engine().lblPlayer_Click(c.label);

        const auto expected = c.sorts ? Cards("B1 B7 BD BT G1 LB LV P5 R2") : Cards(dealt);
        EXPECT_EQ(t.State().HumanFaces, expected);
        EXPECT_EQ(HandText(t.Player(4)), dealt) << "the hand keeps its order; only the faces move";
        EXPECT_EQ(t.view.humanCardsShown.size(), c.sorts ? expected.size() : 0u);
    }
}

TEST(HumanTurnSorting, SortedFaceIsPlayedByItsPosition)
{
    Table t;
    t.Give(4, "R2 B7 G1");
    t.Pile("B3");
    t.State().CurrTurn = 4;
    t.State().WaitingForHuman = true;
    t.Engine().lblClick_Click();
    ASSERT_EQ(t.State().HumanFaces, Cards("B7 G1 R2"));

    t.Engine().Start(t.Engine().cPlayer4Card_DblClick(1));

    EXPECT_THAT(t.view.PlacedCards(), ElementsAre("B7"));
    EXPECT_EQ(t.view.placements[0].playingCardIndex, 1);
    EXPECT_EQ(HandText(t.Player(4)), "R2 G1");
    EXPECT_EQ(t.State().HumanFaces, Cards("G1 R2"));
}

TEST(SayVemoAfterLastCard, ClickedWithinTheTwentyOneWaitsEndsTheHand)
{
    for (const int clickAt : {1, 21}) {
        SCOPED_TRACE(clickAt);
        Table t;
        t.Give(4, "B5");
        t.Pile("B3");
        t.view.sayVemoClickAt = clickAt;
        t.view.actions.push_back([&] { t.DoubleClick("B5"); });

        t.HumanTurn();

        EXPECT_TRUE(t.State().HandOver);
        EXPECT_EQ(t.State().HandWinner, 4);
        EXPECT_EQ(t.Player(4).NumberOfCards(), 0);
        EXPECT_THAT(t.view.sayVemoButton, ElementsAre(true, false));
        EXPECT_EQ(t.view.CountPauses(250), clickAt);
        EXPECT_TRUE(t.view.StatusWasShown(StatusBar::Bottom, 1, "Dora needs to say Vemo"));
        EXPECT_FALSE(t.view.StatusWasShown(StatusBar::Bottom, 1, "Dora - too late!"));
    }
}

TEST(SayVemoAfterLastCard, TooLateCostsAPenaltyCardAndPlayGoesOn)
{
    struct Case {
        const char* last;
        std::vector<int> colour;
        const char* currCardAfter;
        int colourWindows;
    };
    const Case cases[] = {{"B5", {}, "B5", 0}, {"LV", {2}, "G*", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        Table t;
        t.Give(4, c.last);
        t.Pile("B3");
        t.Stack("R5");
        t.view.colorChoices.assign(c.colour.begin(), c.colour.end());
        t.view.actions.push_back([&] { t.DoubleClick(c.last); });

        t.HumanTurn();

        EXPECT_EQ(t.view.CountPauses(250), 21);
        EXPECT_EQ(t.view.Status(StatusBar::Bottom, 1), "Dora - too late!");
        EXPECT_THAT(t.view.NoticeTexts(),
                    ElementsAre("You did NOT click on the 'say Vemo' button.  Play will continue."));
        EXPECT_EQ(t.view.CountPauses(3000), 1);
        EXPECT_FALSE(t.State().HandOver);
        EXPECT_EQ(t.State().HandWinner, 0);
        EXPECT_EQ(HandText(t.Player(4)), "R5");
        EXPECT_EQ(t.State().CurrTurn, 4);
        EXPECT_EQ(t.view.colorWindows, c.colourWindows);
        EXPECT_EQ(t.State().CurrCard, CardCode(c.currCardAfter));
    }
}

TEST(HumanTurn, RequestToLeaveEndsTheWaitWithinOnePoll)
{
    for (const bool drawFirst : {false, true}) {
        SCOPED_TRACE(drawFirst ? "after an owed draw" : "before any draw");
        Table t;
        t.Give(4, "G5");
        t.Pile("BD", true);
        if (drawFirst) t.view.actions.push_back([&] { t.DrawFromDeck(); });
        int polls = 0;
        t.view.onPause = [&](int ms) {
            if (ms == 500 && ++polls == 3) t.State().GameRequest = "NEW_GAME";
        };

        t.HumanTurn();

        EXPECT_EQ(t.view.CountPauses(500), 3);
        EXPECT_EQ(t.State().GameRequest, "NEW_GAME");
        EXPECT_FALSE(t.State().HumanMustDraw);
        EXPECT_FALSE(t.State().ForcedDrawStarted);
    }
}

TEST(HumanTurn, AskThatTakesTheLastCardEndsTheHandForTheAskedSeat)
{
    Table t;
    t.Give(4, "LK G5");
    t.Give(1, "LB");
    t.Pile("B3");
    t.view.askClicks = {2};
    t.view.actions.push_back([&] { t.DoubleClick("LK"); });

    t.HumanTurn();

    EXPECT_TRUE(t.State().HandOver);
    EXPECT_EQ(t.State().HandWinner, 1);
    EXPECT_EQ(HandText(t.Player(4)), "G5 LB");
    EXPECT_TRUE(t.view.StatusWasShown(StatusBar::Bottom, 1, "Dora asking for Card of Light"));
}

} // namespace
