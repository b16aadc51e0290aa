// Every Yes/No question the program asks waits for a button: Escape and the
// close box neither answer it nor close it, so nothing is deleted, played or
// ended by a question the player only brushed away.
#include "ErrorBoxes.h"
#include "MessageBoxes.h"
#include "frmDialog.h"
#include "frmResume.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace vemo;

TEST(Questions, EscapeAndTheCloseBoxLeaveEveryYesNoQuestionOpen)
{
    QWidget table;
    table.resize(640, 480);
    table.show();
    frmDialog dialog(&table);
    ErrorBoxes errorBoxes;
    int answers = 0;
    // Opens the question (exec() ones return only after the check has answered it).
    using Ask = std::function<void()>;
    const auto engineBox = [&](const char* caption, const char* text, int defaultButton) -> Ask {
        return [&, caption, text, defaultButton] {
            QMessageBox* box = BuildMessageBox({caption, text, BoxButtons::YesNo, BoxIcon::Question, defaultButton}, &table);
            box->setAttribute(Qt::WA_DeleteOnClose);
            QObject::connect(box, &QMessageBox::finished, &table, [&] { ++answers; });
            box->open();
        };
    };
    const auto purge = [&](const char* caption) -> Ask {
        return [&, caption] { AskPurgeTwice(&table, caption, "Sure?", "Really?", [&] { ++answers; }); };
    };
    const auto inGame = [&](const char* text) -> Ask {
        return [&, text] { dialog.AskQuestion(text, false, [&](const QString&) { ++answers; }); };
    };
    const struct {
        const char* name;
        Ask ask;
        int answersAfterNo;
    } cases[] = {
        {"Resume Game: keep the record", engineBox("Resume Game", "Do you want to save this game record?", 2), 1},
        {"Save Game? on leaving", engineBox("Save Game?", "Would you like to save it?", 1), 1},
        {"trim the saved games", engineBox("Database Maintenance", "Delete the oldest saved games?", 1), 1},
        {"Purge Saved Games", purge("Purge Saved Games"), 0},
        {"Purge History", purge("Purge History"), 0},
        {"continue after an error", [&] { answers += errorBoxes.AskContinueAfterError("Error", "Continue?") ? 1 : 2; }, 2},
        {"the drawn card", inGame("You have drawn a Blue 7 card.  Do you want to play this card?"), 1},
        {"do you have a card", inGame("\"Ann!  Do you have a Blessing card?\" - Ben"), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        answers = 0;
        bool checked = false;
        QTimer::singleShot(0, [&] {
            QPointer<QWidget> question = QApplication::activeModalWidget();
            checked = true;
            ASSERT_NE(question, nullptr);
            QTest::keyClick(question, Qt::Key_Escape);
            if (question) question->close();
            QTest::qWait(10);
            EXPECT_EQ(answers, 0);
            ASSERT_TRUE(question && question->isVisible());
            for (auto* button : question->findChildren<QAbstractButton*>())
                if (button->text().remove(QLatin1Char('&')) == QStringLiteral("No")) button->click();
        });
        c.ask();
        ASSERT_TRUE(QTest::qWaitFor([&] { return checked && QApplication::activeModalWidget() == nullptr; }, 5000));
        EXPECT_EQ(answers, c.answersAfterNo);
    }
}
