// Playing a card and its effects: the answers to a pending card, going out
// (and when a last card does not count as going out), the voice pause of a
// computer player who goes out, the Vemo-after-Prayer window and the colour
// chosen after a Card of Light.

#include "ScriptedView.h"

using namespace vemo;
using namespace vemo::test;

namespace {

// Abel (seat 1, style 1) answers the card pending on the pile; each row runs
// on each pile it names. The next cards of the deck are R5, R6, R7, B5.
TEST(ComputerAnswersPendingCard, PlaysDrawsAndNeutralises)
{
    const struct {
        const char* piles;
        const char* hand;
        std::vector<std::string> placed;
        const char* handAfter;
        const char* currCardAfter; // "": a colour drawn at random
        char directionAfter;
    } cases[] = {
        {"BR", "LG G5", {"LG"}, "G5 R5", "G*", 'R'}, // a Grace on a Trial still costs a card
        {"BR", "LP G5", {"LP"}, "G5 R5", "G*", 'L'},
        {"BR", "LG", {"LG"}, "R5", "", 'R'}, // a last card that cancels a Trial is not going out
        {"BR", "LP", {"LP"}, "R5", "", 'L'},
        {"BR BT", "G5 B4", {}, "G5 B4 R5 R6", "B*", 'R'},
        {"BT BS BD", "LG G5 G6 B3", {"LG", "G6"}, "G5 B3", "G6", 'R'}, // Grace plays again
        {"BD", "LP LG G5", {"LG", "G5"}, "LP", "G5", 'R'},             // Grace before Prayer
        {"BT BD", "LP G5 G6 B3", {"LP"}, "G5 G6 B3", "G*", 'L'},       // Prayer reverses and ends
        {"BS", "G5 B4", {}, "G5 B4 R5 R6 R7", "B*", 'R'},
        {"BD", "G5 B4", {}, "G5 B4 R5 R6 R7 B5", "B*", 'R'},
        // A Blessing's colour (Green) pending owes nothing: the turn ends unplayed.
        {"LB", "G5 LG", {}, "G5 LG", "G*", 'R'},
    };
    for (const auto& c : cases)
        for (const CardCode pending : Cards(c.piles)) {
            SCOPED_TRACE(std::string(c.hand) + " on " + pending.ToString());
            Table t;
            t.FillOthers({1});
            t.Give(1, c.hand).Pile(pending, true);
            if (IsLight(pending)) {
                t.State().CurrCard = "G*";
                t.State().CurrColor = 'G';
            }
            t.Stack("R5 R6 R7 B5");

            t.ComputerTurn(1);

            EXPECT_THAT(t.view.Said("place"), ElementsAreArray(c.placed));
            EXPECT_EQ(HandText(t.Player(1)), c.handAfter);
            if (*c.currCardAfter) {
                EXPECT_EQ(t.State().CurrCard, CardCode(c.currCardAfter));
            }
            EXPECT_EQ(t.State().CurrDirection, c.directionAfter);
            EXPECT_EQ(t.State().CurrTurn, 1);
            EXPECT_FALSE(t.State().HandOver);
            // The answered card no longer demands anything; a numbered card played after it neither.
            EXPECT_FALSE(t.State().SpecialAction);
            for (const std::string& notice : t.view.Said("notice"))
                EXPECT_EQ(notice.find("can't end a hand"), std::string::npos) << notice;
        }
}

// A last card goes out, after a computer's voice only with sound (the human
// says Vemo by the button); on an evil card or an Ask its player draws one card
// instead and the card is pending for the next player.
TEST(PlayCard, ALastCardGoesOutAfterAComputersVoiceButOnAnEvilCardOrAnAskDrawsOne)
{
    const struct {
        int seat;
        const char* card;
        const char* drawer; // the notice's name; "": the Ask draws in the exchange; null: going out
        std::vector<std::string> pauses = {}; // going out: the pause before the card and the voice pause after it
        int clip = 3;
        bool sound = true;
    } cases[] = {
        {1, "GD", "Abel"}, {2, "GS", "Bea"}, {3, "GT", "Cid"}, {4, "GR", "Dora"}, {1, "LK", ""},
        {2, "B5", nullptr, {"1000", "750"}, 7}, {2, "B5", nullptr, {"1000", "400"}, 8},
        {2, "B5", nullptr, {"1000", "400"}, 10}, {2, "B5", nullptr, {"1000", "200"}, 3},
        {2, "B5", nullptr, {"1000"}, 7, false}, {4, "B5", nullptr},
        {4, "LB", nullptr}, // the human going out on a Card of Light chooses no colour
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        Table t;
        t.view.SetSound(c.sound);
        t.Player(c.seat).WAV(static_cast<std::int16_t>(c.clip));
        t.Pile("G5").Give(c.seat, c.card).Stack("R5").Turn(c.seat);
        // The human's card is still being played during the evil-card notice: the deck is dead.
        t.State().WaitingForHuman = true;
        t.view.onPause = [&t](int ms) {
            if (ms == 2000) t.DrawFromDeck();
        };

        t.Engine().Start(t.Engine().PlayCard(c.card));

        EXPECT_EQ(t.State().HandOver, !c.drawer);
        EXPECT_EQ(t.State().HandWinner, c.drawer ? 0 : c.seat);
        EXPECT_THAT(t.view.Said("color window"), IsEmpty());
        if (c.drawer) {
            EXPECT_TRUE(t.State().SpecialAction) << "the card is pending for the next player";
            if (!*c.drawer) continue;
            EXPECT_THAT(t.view.Said("notice"), ElementsAre(std::string("A player can't end a hand with an evil card so ") +
                                                          c.drawer + " will draw a card."));
            EXPECT_EQ(HandText(t.Player(c.seat)), "R5");
            EXPECT_EQ(t.State().CurrCard, CardCode(c.card));
            continue;
        }
        EXPECT_THAT(t.view.Said("pause"), ElementsAreArray(c.pauses));
        if (c.seat == 4) {
            EXPECT_TRUE(t.State().HumanTurnDone);
            continue;
        }
        EXPECT_THAT(t.view.Said("callout"), ElementsAre("2"));
        EXPECT_EQ(t.view.Said("wav"), c.sound ? std::vector<std::string>{std::to_string(c.clip)}
                                               : std::vector<std::string>{});
    }
}

// Abel plays a Prayer (his colour Blue); the Vemo window opens only when
// someone holds a Vemo.
TEST(VemoCardAfterPrayer, TheHolderWhoPlaysItPlaysNextElseTheTurnGoesBack)
{
    enum Dora { Waits, Claims, Leaves };
    const struct {
        const char* why;
        const char* bea;
        const char* cid;
        const char* dora;
        int firstOffered; // the seat PlayVemoCard serves first
        Dora action;
        std::vector<std::string> placed; // after the Prayer
        int turn;
        const char* handsAfter; // Bea | Cid | Dora
        int minPolls, maxPolls; // the human has from 1.0 to 3.5 seconds
        std::vector<std::string> notices;
        const char* currCard;
    } cases[] = {
        {"Dora claims it", "LV R1", "R2", "LV G2", 4, Claims, {"LV"}, 4, "LV R1|R2|G2", 1, 1, {}, "P*"},
        {"Bea plays it without delay", "LV R1", "R2", "G2", 2, Waits, {"LV"}, 2, "R1|R2|G2", 0, 0,
         {"Bea has chosen the color Red"}, "R*"},
        {"Dora lets it pass to Cid", "R1", "LV R2", "LV G2", 4, Waits, {"LV"}, 3, "R1|R2|LV G2", 2, 7,
         {"Cid has chosen the color Red"}, "R*"},
        {"nobody else holds one", "R1", "R2", "LV G2", 4, Waits, {}, 1, "R1|R2|LV G2", 2, 7, {}, "B*"},
        {"a request to leave ends the wait", "R1", "R2", "LV G2", 4, Leaves, {}, 1, "R1|R2|LV G2", 1, 1, {},
         "B*"},
        {"no window: nobody holds one", "R1", "R2", "G2", 0, Waits, {}, 1, "R1|R2|G2", 0, 0, {}, "B*"},
    };
    for (const auto& c : cases) {
        for (std::uint64_t seed = 1; seed <= 6; ++seed) {
            SCOPED_TRACE(std::string(c.why) + ", seed " + std::to_string(seed));
            Table t(seed);
            t.Give(1, "LP B4 B5").Give(2, c.bea).Give(3, c.cid).Give(4, c.dora).Turn(1);
            t.Engine().Start(t.Engine().PlayCard("LP"));
            std::array<bool, 5> holders{};
            for (int seat = 2; seat <= 4; ++seat)
                holders[static_cast<std::size_t>(seat)] = t.Player(seat).FindSpecificCOL('V');
            EXPECT_EQ(t.State().VemoHolders, holders);
            ASSERT_EQ(t.State().PrayerCardPlayed, c.firstOffered > 0);
            if (!c.firstOffered) continue;
            t.view.log.clear();
            // As the main loop opens the window.
            t.State().HumanPlayedCard = false;
            t.State().HumanTurnDone = false;
            t.State().WaitingForHuman = true;
            t.view.colorChoices = {3};
            t.view.onPause = [&t](int ms) {
                if (ms == 500) t.DrawFromDeck(); // dead while the window is open
            };
            if (c.action == Claims) t.view.actions.push_back([&] { t.DoubleClick("LV"); });
            if (c.action == Leaves) t.view.actions.push_back([&] { t.State().GameRequest = "EXIT_GAME"; });

            t.Engine().Start(t.Engine().PlayVemoCard(c.firstOffered));

            EXPECT_THAT(t.view.Said("place"), ElementsAreArray(c.placed));
            EXPECT_EQ(t.State().CurrTurn, c.turn);
            EXPECT_EQ(HandText(t.Player(2)) + "|" + HandText(t.Player(3)) + "|" + HandText(t.Player(4)), c.handsAfter);
            EXPECT_GE(t.view.Pauses(500), c.minPolls);
            EXPECT_LE(t.view.Pauses(500), c.maxPolls);
            EXPECT_THAT(t.view.Said("notice"), ElementsAreArray(c.notices));
            EXPECT_EQ(t.State().CurrCard, CardCode(c.currCard));
            EXPECT_FALSE(t.State().PrayerCardPlayed) << "the window has been served";
            EXPECT_FALSE(t.State().VemoAfterPrayer);
            EXPECT_EQ(t.State().VemoBonusCard, !c.placed.empty()) << "the player of the Vemo plays again";
            if (!c.placed.empty()) { // the player of the Vemo is shown on turn, the human too
                EXPECT_EQ(t.view.Last("bottom 1"), t.Player(c.turn).Name() + "'s Turn");
                EXPECT_EQ(t.view.Last("controls"), c.turn == 4 ? "human" : "computer");
                EXPECT_TRUE(t.view.highlighted[static_cast<std::size_t>(c.turn)]);
            }
            if (c.turn == 2) {
                EXPECT_THAT(t.view.Said("pause"), ElementsAre("2000")) << "no thinking pause, only the colour notice";
                EXPECT_THAT(t.view.Said("callout"), ElementsAre("2"));
            }
        }
    }
}

TEST(PlayCard, TheColourAfterACardOfLight)
{
    // A computer chooses the colour of most of its cards, the human in the colour window.
    Table abel;
    abel.Give(1, "LB G1 G2 B3").Turn(1);
    abel.Engine().Start(abel.Engine().PlayCard("LB"));
    EXPECT_THAT(abel.view.Said("notice"), ElementsAre("Abel has chosen the color Green"));
    EXPECT_EQ(abel.view.Last("bottom 4"), "Green");
    EXPECT_EQ(abel.State().CurrColor, 'G');
    EXPECT_EQ(abel.State().CurrCard, CardCode("G*"));
    EXPECT_EQ(abel.State().ActualCurrCard, CardCode("LB"));
    EXPECT_EQ(abel.State().LastPlayedCard, CardCode("LB"));
    EXPECT_THAT(abel.view.Said("pause"), ElementsAre("1000", "2000"));
    EXPECT_TRUE(abel.State().SpecialAction);
    EXPECT_THAT(abel.view.Said("color window"), IsEmpty());

    Table dora;
    dora.Give(4, "LP B2").Turn(4);
    dora.view.colorChoices = {4};
    dora.Engine().Start(dora.Engine().PlayCard("LP"));
    EXPECT_THAT(dora.view.Said("color window"), ElementsAre("4"));
    EXPECT_EQ(dora.State().CurrCard, CardCode("R*"));
    EXPECT_EQ(dora.State().HumanLastCard, CardCode("LP"));
    EXPECT_THAT(dora.view.Told(), ElementsAre("Dora plays Card of Light Prayer.", "Dora chooses Red."));
    EXPECT_TRUE(dora.State().HumanTurnDone);
    EXPECT_TRUE(dora.State().CardsHaveBeenPlayed);
    EXPECT_FALSE(dora.State().PlayInProgress);
    EXPECT_THAT(dora.view.Said("arrange"), ElementsAre("4 1"));
}

} // namespace
