// What the engine refuses while it is busy: the deck during every pause the
// game makes inside the human's turn, and play on a table that a failed
// resume left empty.

#include "ScriptedView.h"


using namespace vemo;
using namespace vemo::test;

namespace {

struct PauseCase {
    const char* pause;
    int milliseconds;              // the pause during which the deck is double-clicked
    const char* hand;              // the human's hand
    std::function<void(Table&)> run;
    int cardsAfter;                // the human's cards once it is over: no card from that click
};

TEST(EngineGuards, TheDeckIsDeadWhileTheGamePausesInTheHumansTurn)
{
    const PauseCase cases[] = {
        {"evil-card notice", 2000, "BS",
         [](Table& t) {
             t.State().HumanPlayedCard = true;
             t.State().WaitingForHuman = true;
             t.Engine().Start(t.Engine().PlayCard("BS"));
         },
         1}, // the notice's own draw
        {"say-Vemo window", 250, "B5",
         [](Table& t) {
             t.view.sayVemoClickAt = 3;
             t.view.actions.push_back([&t] { t.DoubleClick("B5"); });
             t.HumanTurn();
         },
         0},
        {"too-late notice", 3000, "B5",
         [](Table& t) {
             t.view.actions.push_back([&t] { t.DoubleClick("B5"); });
             t.HumanTurn();
         },
         1}, // the penalty card
        {"Vemo-after-Prayer window", 500, "LV G5",
         [](Table& t) {
             t.State().PrayerCardPlayed = true;
             t.State().VemoHolders[4] = true;
             t.State().WaitingForHuman = true;
             t.Engine().Start(t.Engine().PlayVemoCard(4));
         },
         2},
    };
    for (const PauseCase& c : cases) {
        SCOPED_TRACE(c.pause);
        Table t;
        t.FillOthers({4});
        t.Give(4, c.hand).Turn(4).Stack("R5 R6 R7");
        bool clicked = false;
        t.view.onPause = [&](int ms) {
            if (ms != c.milliseconds || clicked) return;
            clicked = true;
            t.DrawFromDeck();
        };

        c.run(t);

        EXPECT_TRUE(clicked);
        EXPECT_EQ(t.Player(4).NumberOfCards(), c.cardsAfter) << HandText(t.Player(4));
        EXPECT_THAT(t.view.Said("question"), ::testing::IsEmpty());
    }
}

// Open Game from a running game: the loop starts again only with four players
// seated, and the score chart starts from the resumed game's totals.
TEST(EngineGuards, AGameThatCannotBeResumedLeavesTheTableIdle)
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

} // namespace
