// The hand winner's window, the results window, the pause window and the
// cheering figure: their texts, what their buttons report and how they close.
#include "CheeringFigure.h"
#include "FinalResults.h"
#include "ScoreChart.h"
#include "TableAnnouncer.h"
#include "TableWindowFixture.h"
#include "frmFinal.h"
#include "frmPause.h"
#include "frmVemoGuy.h"

#include <QGroupBox>
#include <QPainter>
#include <QSignalSpy>

#include <memory>

using namespace vemo;

// Closes the window by its first or second button, its close box or Escape.
static void CloseBy(std::string_view way, QDialog* window, QAbstractButton* first, QAbstractButton* second)
{
    if (way == "first" || way == "second") QTest::mouseClick(way == "first" ? first : second, Qt::LeftButton);
    if (way == "close") window->close();
    if (way == "escape") QTest::keyClick(window, Qt::Key_Escape);
}

// The texts and buttons, and how each way of closing reports the choice.
TEST(frmVemoGuy, ButtonsAndCloseReportTheChoice)
{
    const QString text = "Ruth won that hand!  Click OK and I'll shuffle the cards for the next hand.";
    const std::pair<const char*, const char*> rows[] = {{"first", "OK"}, {"second", "EXIT"}, {"close", "OK"},
                                                        {"escape", "OK"}};
    for (const auto& [how, expected] : rows) {
        SCOPED_TRACE(how);
        Owner owner;
        std::vector<QString> choices;
        QPointer<frmVemoGuy> window =
            new frmVemoGuy(&owner.window, text, [&](const QString& choice) { choices.push_back(choice); });
        EXPECT_EQ(QStringList({window->lblText->text(), window->cmdTop->text(), window->cmdBottom->text()}),
                  QStringList({text, "&Ok", "E&xit Game"}));
        window->open();
        CloseBy(how, window, window->cmdTop, window->cmdBottom);
        EXPECT_EQ(choices, std::vector<QString>{expected});
        DeleteClosed();
        EXPECT_TRUE(window.isNull());
    }
}

// The computed texts, the spoken summary, and how each way of closing
// reports whether to play again.
TEST(frmFinal, ShowsTheComputedTextsAndReportsPlayAgain)
{
    struct Case {
        std::array<std::int16_t, 4> scores;
        bool saved;
        const char *caption, *winner;
        std::array<const char*, 4> lines;
        const char* close;
        bool playAgain;
    };
    const Case cases[] = {
        {{120, 45, 80, 101}, false, "Ruth", "is the winner!",
         {"Ruth = 45", "Caleb = 80", "Me = 101", "Joshua = 120"}, "second", true},
        {{30, 110, 30, 64}, false, "We have a tie!", "Multiple Winners",
         {"Joshua = 30", "Caleb = 30", "Me = 64", "Ruth = 110"}, "first", false},
        {{12, 40, 7, 33}, true, "Caleb", "is currently winning!",
         {"Caleb = 7", "Joshua = 12", "Me = 33", "Ruth = 40"}, "close", false},
        {{5, 5, 20, 9}, true, "Currently we", "have a tie!",
         {"Joshua = 5", "Ruth = 5", "Me = 9", "Caleb = 20"}, "escape", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines[0]);
        Owner owner;
        std::vector<bool> answers;
        const GameState state = FourPlayers({"Joshua", "Ruth", "Caleb", "Me"}, c.scores);
        QPointer<frmFinal> window = new frmFinal(&owner.window, ComputeFinalResults(state, c.saved),
                                                 [&](bool again) { answers.push_back(again); });
        QStringList texts{window->windowTitle(), window->titleStrip->accessibleName(), window->frResults->title(),
                          window->lblWinner->text(), window->cmdEnd[0]->text(), window->cmdEnd[1]->text()};
        for (QLabel* line : window->lblResults) texts << line->text();
        EXPECT_EQ(texts, QStringList({"Vemo Game Results", "Vemo Game Results", c.caption, c.winner, "Exit", "Play Again",
                                      c.lines[0], c.lines[1], c.lines[2], c.lines[3]}));
        // The winning lines stand out from the others.
        EXPECT_TRUE(window->lblResults[0]->font().bold());
        EXPECT_FALSE(window->lblResults[3]->font().bold());
        // Shown, the window says who won and the totals, while Play Again has the keyboard.
        TableAnnouncer announcer(&owner.window);
        QSignalSpy heard(&announcer, &TableAnnouncer::announced);
        window->open();
        ASSERT_EQ(heard.size(), 1);
        EXPECT_EQ(heard.at(0).at(0).toString(), QStringLiteral("%1 %2 %3. %4. %5. %6.")
                                                    .arg(c.caption, c.winner, c.lines[0], c.lines[1])
                                                    .arg(c.lines[2], c.lines[3]));
        CloseBy(c.close, window, window->cmdEnd[0], window->cmdEnd[1]);
        EXPECT_EQ(answers, std::vector<bool>{c.playAgain});
        DeleteClosed();
        EXPECT_TRUE(window.isNull());
    }
}

// F1 asks for help and leaves the game paused; OK and the close box resume it.
TEST(frmPause, TextsHelpTopicAndClosing)
{
    for (const bool byOk : {true, false}) {
        Owner owner;
        int closed = 0;
        QPointer<frmPause> window = new frmPause(&owner.window, [&] { ++closed; });
        EXPECT_EQ(QStringList({window->windowTitle(), window->lblContinue->text(), window->lblHelp->text(),
                               window->cmdOK->text()}),
                  QStringList({"Vemo Paused!", "Click OK to continue...", "Press F1 for help", "&OK"}));
        EXPECT_EQ(window->property("HelpContextID").toInt(), 42);
        window->open();
        QSignalSpy help(window.data(), &frmPause::helpRequested);
        QTest::keyClick(window, Qt::Key_F1);
        EXPECT_EQ(help.count(), 1);
        EXPECT_TRUE(window->isVisible() && closed == 0) << "help leaves the game paused";
        CloseBy(byOk ? "first" : "close", window, window->cmdOK, nullptr);
        EXPECT_EQ(closed, 1);
        DeleteClosed();
        EXPECT_TRUE(window.isNull());
    }
}

// The figure cheers only while shown, through frames that differ and loop.
TEST(CheeringFigure, AnimatesItsLoopOfFramesOnlyWhileShown)
{
    CheeringFigure figure;
    EXPECT_FALSE(figure.IsAnimating());
    figure.show();
    EXPECT_TRUE(figure.IsAnimating());
    figure.hide();
    EXPECT_FALSE(figure.IsAnimating());
    for (int k = 1; k <= CheeringFigure::kFrameCount; ++k) figure.AdvanceFrame();
    EXPECT_EQ(figure.CurrentFrame(), 0);
    auto render = [](int frame) {
        QImage image(120, 140, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        CheeringFigure::PaintFrame(painter, QRectF(0, 0, 120, 140), frame);
        return image;
    };
    EXPECT_NE(render(0), render(CheeringFigure::kFrameCount / 2));
    EXPECT_EQ(render(CheeringFigure::kFrameCount), render(0));
}

// The chart under the results: one line per player through the totals after
// each hand, on a scale that holds the limit and every total. A very long
// winner's name keeps the window on the screen.
TEST(ScoreChart, DrawsEachPlayersTotalsAfterEveryHand)
{
    Owner owner;
    const std::string name = QStringLiteral("Bartholomew-").repeated(17).left(200).toStdString();
    GameState state = FourPlayers({"Joshua", name.c_str(), "Caleb", "Me"}, {60, 12, 130, 41});
    state.ScoreLimit = 100;
    state.HandTotals = {{10, 0, 35, 8}, {10, 12, 90, 8}, {60, 12, 130, 41}}; // three hands
    frmFinal window(&owner.window, ComputeFinalResults(state, false), [](bool) {});
    EXPECT_LE(window.sizeHint().width(), 800);
    EXPECT_EQ(window.lblResults[0]->text().toStdString(), name + " = 12");
    EXPECT_EQ(window.frResults->accessibleName().toStdString(), name);
    ASSERT_NE(window.chart, nullptr);
    const ScoreChartData& data = window.chart->Data();
    EXPECT_EQ(data.Names, (std::array<QString, 4>{"Joshua", QString::fromStdString(name), "Caleb", "Me"})); // by seat
    EXPECT_EQ(data.Limit, 100);
    EXPECT_EQ(ScoreChart::ScaleTop(data), 160); // past the highest total (130), in round quarters

    const QRectF plot(0, 0, 200, 100);
    // Caleb's 35, 90 and 130 of 160, from the left edge to the right.
    EXPECT_EQ(ScoreChart::SeriesPoints(data, 2, plot), (std::vector<QPointF>{{0, 78.125}, {100, 43.75}, {200, 18.75}}));
    EXPECT_DOUBLE_EQ(ScoreChart::SeriesPoints(data, 1, plot)[0].y(), 100.0); // 0: the bottom
    EXPECT_TRUE(window.chart->accessibleDescription().contains("Caleb: 35, 90, 130."));

    // A single hand sits in the middle; no hand yet, no chart.
    const ScoreChartData oneHand{{}, {{5, 5, 5, 5}}, 100};
    EXPECT_DOUBLE_EQ(ScoreChart::SeriesPoints(oneHand, 0, plot)[0].x(), 100.0);
    // Equal totals stand one above another, so every player's marker shows.
    for (int seat = 1; seat < 4; ++seat)
        EXPECT_DOUBLE_EQ(ScoreChart::SeriesPoints(oneHand, seat, plot)[0].y(),
                         ScoreChart::SeriesPoints(oneHand, 0, plot)[0].y() - ScoreChart::kCoincidentOffset * seat);
    state.HandTotals.clear();
    frmFinal early(&owner.window, ComputeFinalResults(state, true), [](bool) {});
    EXPECT_EQ(early.chart, nullptr);
}
