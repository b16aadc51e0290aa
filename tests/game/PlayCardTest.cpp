// Playing a card and its effects: the answers to a pending evil card, going
// out (and when a last card does not count as going out), the voice pause of
// a computer player who goes out, the Vemo-after-Prayer window and the colour
// chosen after a Card of Light.

#include "ScriptedView.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace vemo;
using namespace vemo::test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

struct PendingCase {
    const char* name;
    const char* pending; // the evil card on the pile, still to be answered
    const char* hand;    // Abel's hand (seat 1, style 1)
    std::vector<std::string> placed;
    const char* handAfter;
    const char* currCardAfter;
    char directionAfter;
};

// The next cards of the deck are R5, R6, R7, B5.
const PendingCase kPendingCases[] = {
    {"TrialGraceCostsOneCard", "BR", "LG G5", {"LG"}, "G5 R5", "G*", 'R'},
    {"TrialPrayerReversesAndCostsOneCard", "BR", "LP G5", {"LP"}, "G5 R5", "G*", 'L'},
    {"TrialWithoutCancellerDrawsTwo", "BR", "G5 B4", {}, "G5 B4 R5 R6", "B*", 'R'},
    {"TemptationGracePlaysAgain", "BT", "LG G5 G6 B3", {"LG", "G6"}, "G5 B3", "G6", 'R'},
    {"SinGracePlaysAgain", "BS", "LG G5 G6 B3", {"LG", "G6"}, "G5 B3", "G6", 'R'},
    {"DevilGracePlaysAgain", "BD", "LG G5 G6 B3", {"LG", "G6"}, "G5 B3", "G6", 'R'},
    {"GraceIsPreferredToPrayer", "BD", "LP LG G5", {"LG", "G5"}, "LP", "G5", 'R'},
    {"TemptationPrayerReversesAndEnds", "BT", "LP G5 G6 B3", {"LP"}, "G5 G6 B3", "G*", 'L'},
    {"DevilPrayerReversesAndEnds", "BD", "LP G5 G6 B3", {"LP"}, "G5 G6 B3", "G*", 'L'},
    {"TemptationWithoutCancellerDrawsTwo", "BT", "G5 B4", {}, "G5 B4 R5 R6", "B*", 'R'},
    {"SinWithoutCancellerDrawsThree", "BS", "G5 B4", {}, "G5 B4 R5 R6 R7", "B*", 'R'},
    {"DevilWithoutCancellerDrawsFour", "BD", "G5 B4", {}, "G5 B4 R5 R6 R7 B5", "B*", 'R'},
    {"NothingMatchingDrawsTheOwedCards", "BS", "G5 P4", {}, "G5 P4 R5 R6 R7", "B*", 'R'},
};

void PrintTo(const PendingCase& c, std::ostream* os) { *os << c.name; }

class ComputerAnswersPendingCard : public ::testing::TestWithParam<PendingCase> {};

TEST_P(ComputerAnswersPendingCard, PlaysDrawsAndNeutralises)
{
    const PendingCase& c = GetParam();
    Table t;
    t.FillOthers({1});
    t.Give(1, c.hand);
    t.Pile(c.pending, true);
    t.Stack("R5 R6 R7 B5");
    t.State().CurrTurn = 1;

    t.Engine().Start(t.Engine().ComputerPlayersTurn(1));

    EXPECT_THAT(t.view.PlacedCards(), ElementsAreArray(c.placed));
    EXPECT_EQ(HandText(t.Player(1)), c.handAfter);
    EXPECT_EQ(t.State().CurrCard, CardCode(c.currCardAfter));
    EXPECT_EQ(t.State().CurrDirection, c.directionAfter);
    EXPECT_EQ(t.State().CurrTurn, 1);
    EXPECT_FALSE(t.State().HandOver);
    // The answered card no longer demands anything; a numbered card played after it neither.
    EXPECT_FALSE(t.State().SpecialAction);
}

INSTANTIATE_TEST_SUITE_P(Table, ComputerAnswersPendingCard, ::testing::ValuesIn(kPendingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ComputerTurn, PendingCardThatOwesNothingEndsTheTurnWithoutPlaying)
{
    Table t;
    t.FillOthers({1});
    t.Give(1, "G5 LG");
    t.Pile("LB", true);
    t.State().CurrCard = "G*";
    t.State().CurrColor = 'G';
    t.State().CurrTurn = 1;

    t.Engine().Start(t.Engine().ComputerPlayersTurn(1));

    EXPECT_THAT(t.view.placements, IsEmpty());
    EXPECT_EQ(HandText(t.Player(1)), "G5 LG");
    EXPECT_EQ(t.State().CurrCard, CardCode("G*"));
    EXPECT_FALSE(t.State().SpecialAction);
}

struct EvilLastCase {
    int seat;
    const char* card;
    const char* name;
};

TEST(PlayCard, GoingOutOnAnEvilCardDrawsOneCardInstead)
{
    const EvilLastCase cases[] = {{1, "GD", "Abel"}, {2, "GS", "Bea"}, {3, "GT", "Cid"}, {4, "GR", "Dora"}};
    for (const EvilLastCase& c : cases) {
        SCOPED_TRACE(c.card);
        Table t;
        t.Pile("G5");
        t.Give(c.seat, c.card);
        t.Stack("R5");
        t.State().CurrTurn = static_cast<std::int16_t>(c.seat);

        t.Engine().Start(t.Engine().PlayCard(c.card));

        EXPECT_THAT(t.view.NoticeTexts(), ElementsAre(std::string("A player can't end a hand with an evil card so ") +
                                                      c.name + " will draw a card."));
        EXPECT_EQ(HandText(t.Player(c.seat)), "R5");
        EXPECT_FALSE(t.State().HandOver);
        EXPECT_EQ(t.State().HandWinner, 0);
        EXPECT_TRUE(t.State().SpecialAction) << "the evil card is pending for the next player";
        EXPECT_EQ(t.State().CurrCard, CardCode(c.card));
    }
}

TEST(ComputerTurn, GraceOrPrayerAsLastCardOnATrialIsNotGoingOut)
{
    for (const char* canceller : {"LG", "LP"}) {
        SCOPED_TRACE(canceller);
        Table t;
        t.FillOthers({1});
        t.Give(1, canceller);
        t.Pile("BR", true);
        t.Stack("R5");
        t.State().CurrTurn = 1;

        t.Engine().Start(t.Engine().ComputerPlayersTurn(1));

        EXPECT_THAT(t.view.PlacedCards(), ElementsAre(canceller));
        EXPECT_FALSE(t.State().HandOver);
        EXPECT_EQ(HandText(t.Player(1)), "R5");
        for (const std::string& notice : t.view.NoticeTexts())
            EXPECT_EQ(notice.find("can't end a hand"), std::string::npos) << notice;
    }
}

TEST(PlayCard, AskAsLastCardIsNotGoingOut)
{
    Table t;
    t.Give(1, "LK");
    t.State().CurrTurn = 1;

    t.Engine().Start(t.Engine().PlayCard("LK"));

    EXPECT_FALSE(t.State().HandOver);
    EXPECT_EQ(t.Player(1).NumberOfCards(), 0) << "the Ask itself makes the player draw";
    EXPECT_TRUE(t.State().SpecialAction);
}

struct VoiceCase {
    int clip;
    bool sound;
    std::vector<int> pauses; // the pause before the card and the voice pause after it
};

TEST(PlayCard, ComputerGoingOutWaitsForItsVoiceOnlyWithSound)
{
    const VoiceCase cases[] = {
        {7, true, {1000, 750}},  {8, true, {1000, 400}},  {10, true, {1000, 400}}, {3, true, {1000, 200}},
        {9, true, {1000, 200}},  {7, false, {1000}},      {8, false, {1000}},      {3, false, {1000}},
    };
    for (const VoiceCase& c : cases) {
        SCOPED_TRACE("clip " + std::to_string(c.clip) + (c.sound ? " sound on" : " sound off"));
        Table t;
        t.view.sound = c.sound;
        t.Player(2).WAV(static_cast<std::int16_t>(c.clip));
        t.Give(2, "B5");
        t.State().CurrTurn = 2;

        t.Engine().Start(t.Engine().PlayCard("B5"));

        EXPECT_TRUE(t.State().HandOver);
        EXPECT_EQ(t.State().HandWinner, 2);
        EXPECT_THAT(t.view.pauses, ElementsAreArray(c.pauses));
        EXPECT_THAT(t.view.callouts, ElementsAre(2));
        if (c.sound) {
            EXPECT_THAT(t.view.wavs, ElementsAre(c.clip));
        } else {
            EXPECT_THAT(t.view.wavs, IsEmpty());
        }
    }
}

TEST(PlayCard, HumanGoingOutEndsTheHandWithoutColourChoice)
{
    Table t;
    t.Give(4, "LB");
    t.State().CurrTurn = 4;

    t.Engine().Start(t.Engine().PlayCard("LB"));

    EXPECT_TRUE(t.State().HandOver);
    EXPECT_EQ(t.State().HandWinner, 4);
    EXPECT_EQ(t.view.colorWindows, 0);
    EXPECT_TRUE(t.State().HumanTurnDone);
    EXPECT_THAT(t.view.pauses, IsEmpty()) << "the human's own card is not delayed";
}

TEST(PlayCard, PrayerOpensTheVemoWindowOnlyWhenSomeoneHoldsAVemo)
{
    struct Case {
        const char* bea;
        const char* dora;
        bool window;
        std::array<bool, 5> holders;
    };
    const Case cases[] = {
        {"R1", "G2", false, {false, false, false, false, false}},
        {"LV R1", "G2", true, {false, false, true, false, false}},
        {"R1", "LV", true, {false, false, false, false, true}},
    };
    for (const Case& c : cases) {
        Table t;
        t.Give(1, "LP B4 B5");
        t.Give(2, c.bea);
        t.Give(3, "R2");
        t.Give(4, c.dora);
        t.State().CurrTurn = 1;

        t.Engine().Start(t.Engine().PlayCard("LP"));

        EXPECT_EQ(t.State().PrayerCardPlayed, c.window);
        EXPECT_EQ(t.State().VemoHolders, c.holders);
        EXPECT_EQ(t.State().CurrCard, CardCode("B*"));
    }
}

// A Prayer laid by Abel with Dora holding a Vemo; Bea may hold one too.
void PrayerByAbel(Table& t, const char* beaHand, const char* cidHand)
{
    t.Give(1, "LP B4 B5");
    t.Give(2, beaHand);
    t.Give(3, cidHand);
    t.State().CurrTurn = 1;
    t.Engine().Start(t.Engine().PlayCard("LP"));
    ASSERT_TRUE(t.State().PrayerCardPlayed);
    t.view.pauses.clear();
    t.view.notices.clear();
    // As the main loop opens the window.
    t.State().HumanPlayedCard = false;
    t.State().HumanTurnDone = false;
    t.State().WaitingForHuman = true;
}

TEST(VemoCardAfterPrayer, HumanWhoClaimsTheWindowPlaysNext)
{
    Table t;
    t.Give(4, "LV G2");
    PrayerByAbel(t, "LV R1", "R2");
    t.view.colorChoices = {3};
    t.view.actions.push_back([&] { t.DoubleClick("LV"); });

    t.Engine().Start(t.Engine().PlayVemoCard(4));

    EXPECT_THAT(t.view.PlacedCards(), ElementsAre("LP", "LV"));
    EXPECT_EQ(t.State().CurrTurn, 4);
    EXPECT_EQ(HandText(t.Player(4)), "G2");
    EXPECT_EQ(HandText(t.Player(2)), "LV R1");
    EXPECT_FALSE(t.State().PrayerCardPlayed);
    EXPECT_FALSE(t.State().VemoAfterPrayer);
    EXPECT_TRUE(t.State().VemoBonusCard);
    EXPECT_EQ(t.State().CurrCard, CardCode("P*"));
    EXPECT_EQ(t.view.CountPauses(500), 1);
}

TEST(VemoCardAfterPrayer, ComputerHolderPlaysWithoutDelayAndPlaysNext)
{
    Table t;
    t.Give(4, "G2");
    PrayerByAbel(t, "LV R1", "R2");

    t.Engine().Start(t.Engine().PlayVemoCard(2));

    EXPECT_THAT(t.view.PlacedCards(), ElementsAre("LP", "LV"));
    EXPECT_EQ(t.State().CurrTurn, 2);
    EXPECT_EQ(HandText(t.Player(2)), "R1");
    EXPECT_THAT(t.view.pauses, ElementsAre(2000)) << "no thinking pause, only the colour notice";
    EXPECT_THAT(t.view.NoticeTexts(), ElementsAre("Bea has chosen the color Red"));
    EXPECT_THAT(t.view.callouts, ElementsAre(2));
    EXPECT_EQ(t.State().CurrCard, CardCode("R*"));
    EXPECT_FALSE(t.State().VemoAfterPrayer);
    EXPECT_FALSE(t.State().PrayerCardPlayed);
    EXPECT_EQ(t.view.Status(StatusBar::Bottom, 1), "Bea's Turn");
}

TEST(VemoCardAfterPrayer, WindowLeftUnusedPassesToAComputerHolder)
{
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        Table t(seed);
        t.Give(4, "LV G2");
        PrayerByAbel(t, "R1", "LV R2");

        t.Engine().Start(t.Engine().PlayVemoCard(4));

        EXPECT_EQ(t.State().CurrTurn, 3);
        EXPECT_THAT(t.view.PlacedCards(), ElementsAre("LP", "LV"));
        EXPECT_EQ(HandText(t.Player(4)), "LV G2");
        EXPECT_EQ(HandText(t.Player(3)), "R2");
        // The human had from 1.0 to 3.5 seconds: two to seven polls.
        const int polls = t.view.CountPauses(500);
        EXPECT_GE(polls, 2);
        EXPECT_LE(polls, 7);
    }
}

TEST(VemoCardAfterPrayer, WindowLeftUnusedWithoutComputerHolderClosesIt)
{
    Table t;
    t.Give(4, "LV G2");
    PrayerByAbel(t, "R1", "R2");

    t.Engine().Start(t.Engine().PlayVemoCard(4));

    EXPECT_EQ(t.State().CurrTurn, 1) << "the turn goes back to the Prayer's player";
    EXPECT_THAT(t.view.PlacedCards(), ElementsAre("LP"));
    EXPECT_FALSE(t.State().VemoAfterPrayer);
    EXPECT_FALSE(t.State().PrayerCardPlayed);
}

TEST(VemoCardAfterPrayer, RequestToLeaveEndsTheHumansWindowAtOnce)
{
    Table t;
    t.Give(4, "LV G2");
    PrayerByAbel(t, "R1", "R2");
    t.view.actions.push_back([&] { t.State().GameRequest = "EXIT_GAME"; });

    t.Engine().Start(t.Engine().PlayVemoCard(4));

    EXPECT_EQ(t.view.CountPauses(500), 1);
    EXPECT_THAT(t.view.PlacedCards(), ElementsAre("LP"));
}

TEST(PlayCard, ComputerChoosesTheColourOfMostOfItsCards)
{
    Table t;
    t.Give(1, "LB G1 G2 B3");
    t.State().CurrTurn = 1;

    t.Engine().Start(t.Engine().PlayCard("LB"));

    EXPECT_THAT(t.view.NoticeTexts(), ElementsAre("Abel has chosen the color Green"));
    EXPECT_EQ(t.view.Status(StatusBar::Bottom, 4), "Green");
    EXPECT_EQ(t.State().CurrColor, 'G');
    EXPECT_EQ(t.State().CurrCard, CardCode("G*"));
    EXPECT_EQ(t.State().ActualCurrCard, CardCode("LB"));
    EXPECT_EQ(t.State().LastPlayedCard, CardCode("LB"));
    EXPECT_THAT(t.view.pauses, ElementsAre(1000, 2000));
    EXPECT_TRUE(t.State().SpecialAction);
    EXPECT_EQ(t.view.colorWindows, 0);
}

TEST(PlayCard, HumanChoosesTheColourInTheColourWindow)
{
    Table t;
    t.Give(4, "LK B2");
    t.State().CurrTurn = 4;
    t.view.colorChoices = {4};

    t.Engine().Start(t.Engine().PlayCard("LK"));

    EXPECT_EQ(t.view.colorWindows, 1);
    EXPECT_EQ(t.State().CurrCard, CardCode("R*"));
    EXPECT_EQ(t.State().HumanLastCard, CardCode("LK"));
    EXPECT_TRUE(t.State().HumanTurnDone);
    EXPECT_TRUE(t.State().CardsHaveBeenPlayed);
    EXPECT_FALSE(t.State().PlayInProgress);
    EXPECT_THAT(t.view.arranged, ElementsAre(std::pair{4, 1}));
}

} // namespace
