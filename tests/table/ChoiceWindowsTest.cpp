// The colour window and the Ask window: what each button reports, where the
// buttons sit, and that neither window can be closed except as intended.
#include "HelpKey.h"
#include "frmAskCOL.h"
#include "frmDialog.h"
#include "frmSetColor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using vemo::frmAskCOL;
using vemo::frmSetColor;

namespace {

// An owner window, as the table is for the real windows.
struct Owner {
    QWidget window;
    Owner()
    {
        window.resize(640, 480);
        window.show();
    }
};

// The share of pixels whose red, green and blue differ noticeably: zero for a
// grey picture.
double ColouredShare(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int coloured = 0, opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) < 128) continue;
            ++opaque;
            const int spread = std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
            if (spread > 24) ++coloured;
        }
    return opaque == 0 ? 0.0 : double(coloured) / opaque;
}

} // namespace

TEST(frmSetColor, ButtonsLeftToRightReportOneToFour)
{
    for (int index = 1; index <= 4; ++index) {
        Owner owner;
        std::vector<int> chosen;
        QPointer<frmSetColor> window = new frmSetColor(&owner.window, [&](int i) { chosen.push_back(i); });
        window->open();
        ASSERT_TRUE(window->isVisible());
        QTest::mouseClick(window->cmdColor[static_cast<std::size_t>(index)], Qt::LeftButton);
        EXPECT_EQ(chosen, std::vector<int>{index});
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull()) << "the window closes itself after a choice";
    }
}

TEST(frmSetColor, CaptionSizeAndButtonGeometryFollowTheTwips)
{
    Owner owner;
    auto window = std::make_unique<frmSetColor>(&owner.window, [](int) {});
    EXPECT_EQ(window->windowTitle(), "Please select a card color");
    EXPECT_EQ(window->size(), QSize(338, 113)); // 5070 x 1695 twips
    EXPECT_EQ(window->property("HelpContextID").toInt(), 33);
    EXPECT_EQ(window->cmdColor[0], nullptr);
    const int lefts[] = {0, 4, 88, 172, 256}; // 60, 1320, 2580, 3840 twips
    const char* names[] = {"", "Blue", "Green", "Purple", "Red"};
    for (std::size_t i = 1; i <= 4; ++i) {
        ASSERT_NE(window->cmdColor[i], nullptr);
        EXPECT_EQ(window->cmdColor[i]->geometry(), QRect(lefts[i], 4, 79, 104)) << i;
        EXPECT_EQ(window->cmdColor[i]->accessibleName(), names[i]);
        EXPECT_FALSE(window->cmdColor[i]->Picture().isNull());
    }
    // Left to right, the pictures run blue, green, purple, red.
    const QImage blue = window->cmdColor[1]->Picture().toImage();
    const QImage red = window->cmdColor[4]->Picture().toImage();
    const QPoint band(blue.width() / 2, blue.height() * 9 / 10);
    EXPECT_GT(qBlue(blue.pixel(band)), qRed(blue.pixel(band)));
    EXPECT_GT(qRed(red.pixel(band)), qBlue(red.pixel(band)));
}

TEST(frmSetColor, EscapeAndCloseDoNotCloseTheWindow)
{
    Owner owner;
    int calls = 0;
    QPointer<frmSetColor> window = new frmSetColor(&owner.window, [&](int) { ++calls; });
    window->open();
    EXPECT_EQ(window->windowModality(), Qt::WindowModal);
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->close());
    window->reject();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(calls, 0);
    // A second click after the choice is not a second choice.
    QTest::mouseClick(window->cmdColor[2], Qt::LeftButton);
    EXPECT_EQ(calls, 1);
}

TEST(frmAskCOL, CaptionLabelsAndButtons)
{
    Owner owner;
    auto window = std::make_unique<frmAskCOL>(&owner.window, "Ask Joshua for:", [](int) {});
    EXPECT_EQ(window->windowTitle(), "Ask Joshua for:");
    EXPECT_EQ(window->lblName->text(), "Which of the following cards would you like to ask for?");
    EXPECT_TRUE(window->lblMsg->text().isEmpty());
    EXPECT_EQ(window->property("HelpContextID").toInt(), 32);
    EXPECT_EQ(window->cmdCol[0], nullptr);
    const int lefts[] = {0, 8, 92, 176, 260}; // 120, 1380, 2640, 3900 twips
    const char* names[] = {"", "Grace", "Blessing", "Prayer", "Vemo"};
    for (std::size_t i = 1; i <= 4; ++i) {
        ASSERT_NE(window->cmdCol[i], nullptr);
        EXPECT_EQ(window->cmdCol[i]->geometry(), QRect(lefts[i], 28, 79, 104)) << i;
        EXPECT_EQ(window->cmdCol[i]->accessibleName(), names[i]);
        EXPECT_TRUE(window->cmdCol[i]->isEnabled());
        EXPECT_TRUE(window->cmdCol[i]->text().isEmpty());
        EXPECT_GT(ColouredShare(window->cmdCol[i]->Picture()), 0.3) << "a yellow Card of Light";
    }
    // The labels and the message stay inside the window, clear of the buttons.
    EXPECT_LE(window->lblName->geometry().bottom(), window->cmdCol[1]->geometry().top());
    EXPECT_GE(window->lblMsg->geometry().top(), window->cmdCol[1]->geometry().bottom());
    EXPECT_LE(window->lblMsg->geometry().bottom(), window->height());
}

TEST(frmAskCOL, EmptyCaptionKeepsTheDesignCaption)
{
    Owner owner;
    auto window = std::make_unique<frmAskCOL>(&owner.window, QString(), [](int) {});
    EXPECT_EQ(window->windowTitle(), "Ask next player for:");
}

TEST(frmAskCOL, ClicksReportTheIndex)
{
    Owner owner;
    std::vector<int> clicked;
    auto window = std::make_unique<frmAskCOL>(&owner.window, "Ask Ruth for:", [&](int i) { clicked.push_back(i); });
    window->open();
    for (std::size_t i : {3u, 1u, 4u, 2u}) QTest::mouseClick(window->cmdCol[i], Qt::LeftButton);
    EXPECT_EQ(clicked, (std::vector<int>{3, 1, 4, 2}));
    EXPECT_TRUE(window->isVisible()) << "a click alone never closes the window";
}

TEST(frmAskCOL, MarkUsedGreysRelabelsAndDisables)
{
    Owner owner;
    std::vector<int> clicked;
    auto window = std::make_unique<frmAskCOL>(&owner.window, "Ask Ruth for:", [&](int i) { clicked.push_back(i); });
    window->open();
    window->MarkUsed(2, "BLESSING");
    vemo::CardButton* used = window->cmdCol[2];
    EXPECT_FALSE(used->isEnabled());
    EXPECT_EQ(used->text(), "BLESSING");
    EXPECT_LT(ColouredShare(used->Picture()), 0.01) << "the asked card's picture is grey";
    for (std::size_t i : {1u, 3u, 4u}) {
        EXPECT_TRUE(window->cmdCol[i]->isEnabled());
        EXPECT_TRUE(window->cmdCol[i]->text().isEmpty());
    }
    QTest::mouseClick(used, Qt::LeftButton);
    EXPECT_TRUE(clicked.empty());
    // Out of range indexes are ignored.
    window->MarkUsed(0, "X");
    window->MarkUsed(5, "X");
}

TEST(frmAskCOL, SetMessageShowsTheText)
{
    Owner owner;
    auto window = std::make_unique<frmAskCOL>(&owner.window, "Ask Ruth for:", [](int) {});
    window->SetMessage("checking...");
    EXPECT_EQ(window->lblMsg->text(), "checking...");
    const QString miss = "Ruth didn't have a Grace card.  Select again.";
    window->SetMessage(miss);
    EXPECT_EQ(window->lblMsg->text(), miss);
}

TEST(frmAskCOL, ClosesOnlyThroughCloseWindow)
{
    Owner owner;
    QPointer<frmAskCOL> window = new frmAskCOL(&owner.window, "Ask Ruth for:", [](int) {});
    window->open();
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->close());
    window->reject();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());

    QSignalSpy finished(window.data(), &QDialog::finished);
    window->CloseWindow();
    EXPECT_EQ(finished.count(), 1);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

// F1 in the colour, Ask and message windows opens each one's help topic.
TEST(HelpKey, F1OpensTheTopicOfTheWindowWithTheKeyboard)
{
    Owner owner;
    std::vector<int> opened;
    vemo::HelpKey key(&owner.window, [&](int topic) { opened.push_back(topic); });
    const std::pair<std::unique_ptr<QWidget>, int> rows[] = {
        {std::make_unique<vemo::frmSetColor>(&owner.window, [](int) {}), 33},
        {std::make_unique<vemo::frmAskCOL>(&owner.window, "Ask Joshua for:", [](int) {}), 32},
        {std::make_unique<vemo::frmDialog>(&owner.window), 20},
    };
    for (const auto& [window, topic] : rows) {
        opened.clear();
        QTest::keyClick(window.get(), Qt::Key_F1);
        EXPECT_EQ(opened, std::vector<int>{topic}) << window->objectName().toStdString();
    }
}
