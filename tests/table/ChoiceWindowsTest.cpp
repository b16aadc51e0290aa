// The colour window and the Ask window: their texts, buttons and help topics,
// what each click and key reports, and that neither window can be closed
// except as intended.
#include "HelpKey.h"
#include "TableWindowFixture.h"

#include <QSignalSpy>

#include <vector>

using namespace vemo;

namespace {

// The saturation of the picture's mean colour: near zero for a grey picture
// (the clear corners count as black, which keeps the saturation).
int Saturation(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    return image.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0).hsvSaturation();
}

// Escape, the close box and reject leave a window open that must be answered.
void ExpectItStaysOpen(QPointer<ButtonClosedDialog> window)
{
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(window->windowModality(), Qt::WindowModal);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->close());
    window->reject();
    DeleteClosed();
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
}

} // namespace

// A colour is chosen by its button, its number or its initial, once; other
// keys, Escape and closing choose nothing; the window closes itself after.
TEST(frmSetColor, EachButtonAndKeyChoosesItsColourOnce)
{
    const std::pair<Qt::Key, int> rows[] = {{Qt::Key_unknown, 1}, {Qt::Key_unknown, 2}, {Qt::Key_unknown, 3},
                                            {Qt::Key_unknown, 4}, {Qt::Key_1, 1}, {Qt::Key_2, 2}, {Qt::Key_3, 3},
                                            {Qt::Key_4, 4}, {Qt::Key_B, 1}, {Qt::Key_G, 2}, {Qt::Key_P, 3},
                                            {Qt::Key_R, 4}};
    for (const auto& [key, index] : rows) {
        SCOPED_TRACE(std::to_string(int(key)) + " " + std::to_string(index));
        Owner owner;
        std::vector<int> chosen;
        QPointer<frmSetColor> window = new frmSetColor(&owner.window, [&](int i) { chosen.push_back(i); });
        window->open();
        for (Qt::Key other : {Qt::Key_5, Qt::Key_V}) TablePlayer::KeyTo(window, other);
        ExpectItStaysOpen(window.data());
        if (key == Qt::Key_unknown) QTest::mouseClick(window->cmdColor[std::size_t(index)], Qt::LeftButton);
        else TablePlayer::KeyTo(window, key);
        EXPECT_EQ(chosen, std::vector<int>{index});
        DeleteClosed();
        EXPECT_TRUE(window.isNull()) << "the window closes itself after a choice";
    }
}

// Both windows' titles and four picture buttons, each at its place in twips
// and named; the Ask window's labels clear of the buttons. F1 in these windows
// and the message window opens each one's help topic.
TEST(ChoiceWindows, TextsButtonsAndHelpTopics)
{
    Owner owner;
    std::vector<int> opened;
    HelpKey help(&owner.window, [&](int topic) { opened.push_back(topic); });
    frmSetColor colour(&owner.window, [](int) {});
    frmAskCOL ask(&owner.window, "Ask Joshua for:", [](int) {}), askNext(&owner.window, "", [](int) {});
    const struct { QDialog& window; const char* title; const std::array<CardButton*, 5>& buttons; int left, top;
                   std::array<const char*, 4> names; } rows[] = {
        // 60, 1320, 2580, 3840 twips from the left; 120, 1380, 2640, 3900 in the Ask window.
        {colour, "Please select a card color", colour.cmdColor, 4, 4, {"Blue", "Green", "Purple", "Red"}},
        {ask, "Ask Joshua for:", ask.cmdCol, 8, 28, {"Grace", "Blessing", "Prayer", "Vemo"}},
        {askNext, "Ask next player for:", askNext.cmdCol, 8, 28, {"Grace", "Blessing", "Prayer", "Vemo"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title);
        EXPECT_EQ(row.window.windowTitle(), row.title);
        QTest::keyClick(&row.window, Qt::Key_F1);
        for (std::size_t i = 1; i <= 4; ++i) {
            ASSERT_NE(row.buttons[i], nullptr);
            EXPECT_EQ(row.buttons[i]->geometry(), QRect(row.left + 84 * int(i - 1), row.top, 79, 104)) << i;
            EXPECT_EQ(row.buttons[i]->accessibleName(), row.names[i - 1]);
            EXPECT_TRUE(row.buttons[i]->isEnabled() && row.buttons[i]->text().isEmpty());
            EXPECT_GT(Saturation(row.buttons[i]->Picture()), 50) << i;
        }
    }
    frmDialog message(&owner.window);
    QTest::keyClick(&message, Qt::Key_F1);
    EXPECT_EQ(opened, (std::vector<int>{33, 32, 32, 20}));
    EXPECT_EQ(colour.size(), QSize(338, 113)); // 5070 x 1695 twips
    // Left to right, the colour pictures run blue, green, purple, red.
    const QImage blue = colour.cmdColor[1]->Picture().toImage(), red = colour.cmdColor[4]->Picture().toImage();
    const QPoint band(blue.width() / 2, blue.height() * 9 / 10);
    EXPECT_TRUE(qBlue(blue.pixel(band)) > qRed(blue.pixel(band)) && qRed(red.pixel(band)) > qBlue(red.pixel(band)));
    EXPECT_EQ(ask.lblName->text(), "Which of the following cards would you like to ask for?");
    EXPECT_TRUE(ask.lblMsg->text().isEmpty());
    EXPECT_LE(ask.lblName->geometry().bottom(), ask.cmdCol[1]->geometry().top());
    EXPECT_GE(ask.lblMsg->geometry().top(), ask.cmdCol[1]->geometry().bottom());
    EXPECT_LE(ask.lblMsg->geometry().bottom(), ask.height());
}

// Clicks and keys report their card and leave the window open; a card asked
// for turns grey, says so and answers neither; only CloseWindow closes it.
TEST(frmAskCOL, ClicksAndKeysReportTheCardUntilItIsAskedFor)
{
    Owner owner;
    std::vector<int> asked;
    QPointer<frmAskCOL> window = new frmAskCOL(&owner.window, "Ask Ruth for:", [&](int i) { asked.push_back(i); });
    window->open();
    for (std::size_t i : {3u, 1u}) QTest::mouseClick(window->cmdCol[i], Qt::LeftButton);
    for (Qt::Key key : {Qt::Key_G, Qt::Key_B, Qt::Key_P, Qt::Key_V, Qt::Key_R}) TablePlayer::KeyTo(window, key);
    window->MarkUsed(2, "BLESSING");
    window->MarkUsed(0, "X"); // out of range: ignored
    window->MarkUsed(5, "X");
    CardButton* used = window->cmdCol[2];
    EXPECT_FALSE(used->isEnabled());
    EXPECT_EQ(used->text(), "BLESSING");
    EXPECT_LT(Saturation(used->Picture()), 8) << "the asked card's picture is grey";
    for (std::size_t i : {1u, 3u, 4u})
        EXPECT_TRUE(window->cmdCol[i]->isEnabled() && window->cmdCol[i]->text().isEmpty());
    QTest::mouseClick(used, Qt::LeftButton);
    TablePlayer::KeyTo(window, Qt::Key_B); // asked already
    window->cmdCol[3]->setFocus();
    TablePlayer::KeyTo(window, Qt::Key_Return); // the focused card
    EXPECT_EQ(asked, (std::vector<int>{3, 1, 1, 2, 3, 4, 3}));
    ExpectItStaysOpen(window.data());

    QSignalSpy finished(window.data(), &QDialog::finished);
    window->CloseWindow();
    EXPECT_EQ(finished.count(), 1);
    DeleteClosed();
    EXPECT_TRUE(window.isNull());
}
