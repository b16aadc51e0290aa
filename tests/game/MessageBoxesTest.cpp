// Every message box and question the engine puts up, each driven into the
// situation that shows it and then closed without an answer (Escape, the
// close box): a question closed that way saves, deletes and plays nothing.

#include "ScriptedView.h"

#include <tuple>

using namespace vemo;
using namespace vemo::test;

namespace {

struct BoxCase {
    const char* situation;
    std::function<void(Table&)> drive; // closes the first box or question with ""
    const char* window;                // "box", "question" (Yes/No) or "ok question" (the message window)
    MessageBoxSpec shown;              // the message window has no caption, icon or default of its own
    std::function<void(Table&)> afterClosing;
};

void FileMenu(Table& t, int index)
{
    t.State().Scores = {0, 10, 20, 30, 40};
    t.Engine().Start(t.Engine().mnuFile_Click(index));
}

// Cid (seat 3) asks Dora, the human, for a Card of Light.
void CidAsks(Table& t, const char* dora)
{
    t.Give(3, "G5").Give(4, dora).Stack("R5").Turn(3);
    t.Engine().Start(t.Engine().AskForCOLComputerPlayer());
}

const std::string kSaveText = "The current game has not yet been saved.  Would you like to save it now?";

TEST(MessageBoxes, EachAsShownAndClosedWithoutAnAnswer)
{
    const auto gameLeftAsItWas = [](Table& t) {
        EXPECT_EQ(t.records.saves, 0);
        EXPECT_EQ(t.State().GameRequest, "");
        EXPECT_EQ(t.view.Said("setup").size() + t.view.Said("resume list").size(), 0u);
        EXPECT_EQ(t.State().Players.Count(), 4);
        EXPECT_EQ(t.State().Scores[4], 40);
    };
    const BoxCase cases[] = {
        {"File > New Game while the loop runs",
         [](Table& t) {
             t.State().MainLoopRunning = true;
             FileMenu(t, 1);
         },
         "box", {"Save Game?", kSaveText, BoxButtons::YesNoCancel, BoxIcon::Question, 2}, gameLeftAsItWas},
        {"File > Open Game on an idle table", [](Table& t) { FileMenu(t, 2); }, "box",
         {"Save Game?", kSaveText, BoxButtons::YesNoCancel, BoxIcon::Question, 2}, gameLeftAsItWas},
        {"a saved game that cannot be resumed",
         [](Table& t) {
             t.State().GameSaved = true;
             t.view.resumeChoice = "12";
             FileMenu(t, 2);
         },
         "box",
         {"Resume Game",
          "An error occurred while trying to resume this game.\r\n\r\nPlease try again or select a different game.",
          BoxButtons::Ok, BoxIcon::Critical, 1},
         [](Table& t) {
             EXPECT_EQ(t.view.Last("menus"), "shown") << "the File menu starts or opens another game";
             EXPECT_THAT(t.view.Said("start timer"), IsEmpty());
             EXPECT_EQ(t.records.saves, 0);
         }},
        {"a playable card drawn from the deck",
         [](Table& t) {
             t.Give(4, "G5 R6");
             t.Stack("B7");
             t.view.actions.push_back([&t] { t.DrawFromDeck(); });
             t.HumanTurn();
         },
         "question", {"", "You have drawn a Blue 7 card.  Do you want to play this card?", BoxButtons::YesNo},
         [](Table& t) {
             EXPECT_THAT(t.view.Said("place"), IsEmpty());
             EXPECT_EQ(HandText(t.Player(4)), "G5 R6 B7");
             EXPECT_TRUE(t.State().HumanTurnDone);
         }},
        {"Cid asks Dora, who holds no Card of Light", [](Table& t) { CidAsks(t, "G2"); }, "question",
         {"", "\"Dora!  Do you have a Grace card?\" - Cid", BoxButtons::YesNo},
         [](Table& t) {
             // Every question closed: no card changes hands, no lie is found, Dora draws and is skipped.
             EXPECT_EQ(t.view.Said("question").size(), 4u);
             EXPECT_THAT(t.view.Said("ok question"), IsEmpty());
             EXPECT_EQ(HandText(t.Player(3)) + "|" + HandText(t.Player(4)), "G5|G2 R5");
         }},
        {"Dora caught denying her Grace",
         [](Table& t) {
             t.view.answers = {"NO", ""};
             CidAsks(t, "LG G2");
         },
         "ok question",
         {"",
          "Your computer (which is overseeing the play of this game) has determined that you have lied! "
          "'Do not lie to each other...' Colossians 3:9  Please tell the truth this time.",
          BoxButtons::Ok},
         [](Table& t) {
             EXPECT_THAT(t.view.Said("question"), ElementsAre("\"Dora!  Do you have a Grace card?\" - Cid",
                                                              "\"Dora!  Do you have a Grace card?\" - Cid"));
             EXPECT_EQ(HandText(t.Player(3)) + "|" + HandText(t.Player(4)), "G5 LG|G2");
         }},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.situation);
        Table t;
        t.FillOthers({3, 4});
        t.view.answers.assign(8, "");

        c.drive(t);

        const auto whole = [](const MessageBoxSpec& b) {
            return std::tie(b.Caption, b.Text, b.Buttons, b.Icon, b.DefaultButton);
        };
        if (std::string(c.window) == "box") {
            ASSERT_EQ(t.view.boxes.size(), 1u);
            EXPECT_EQ(whole(t.view.boxes[0]), whole(c.shown));
        } else {
            EXPECT_THAT(t.view.boxes, IsEmpty());
            ASSERT_FALSE(t.view.Said(c.window).empty());
            EXPECT_EQ(t.view.Said(c.window)[0], c.shown.Text);
        }
        c.afterClosing(t);
    }
}

} // namespace
