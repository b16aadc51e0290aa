// The hand's card face: its defaults, its properties, the mouse events it
// passes on, filling it from a card code, and drawing it.
#include "cVemoCard.h"

#include "CardArt.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vemo {
namespace {

QColor TextColour(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

// ---------------------------------------------------------------------------
// A new face

TEST(cVemoCardTest, NewFaceShowsTheDevilInWhiteAndMatchesNoCard)
{
    cVemoCard card;
    EXPECT_EQ(card.lblCardType->text(), "DEVIL");
    EXPECT_EQ(card.lblCardInstruction->text(), "DRAW 4");
    EXPECT_EQ(card.lblCardInstructionExtra->text(), "DRAW 4");
    EXPECT_EQ(card.lblCardVerse->text(), "I Peter 5:8");
    EXPECT_EQ(card.CardType(), "DEVIL");
    EXPECT_EQ(card.Instruction(), "DRAW 4");
    EXPECT_EQ(card.InstructionExtra(), "DRAW 4");
    EXPECT_EQ(card.VerseRef(), "I Peter 5:8");
    EXPECT_EQ(card.Verse(), "Be sober, be vigilant; because your adversary the devil, as a roaring lion, walketh "
                            "about, seeking whom he may devour.");
    EXPECT_EQ(card.lblCardVerse->toolTip(), card.Verse());
    EXPECT_EQ(card.CardCode(), "0");

    EXPECT_EQ(TextColour(card.lblCardType), QColor(Qt::white));
    EXPECT_EQ(TextColour(card.lblCardInstruction), QColor(Qt::white));
    EXPECT_EQ(TextColour(card.lblCardInstructionExtra), QColor(Qt::white));
    EXPECT_EQ(TextColour(card.lblCardVerse), QColor(Qt::black));
    EXPECT_EQ(card.TypeColor(), 0xFFFFFFu);
    EXPECT_EQ(card.InstructionColor(), 0xFFFFFFu);
    EXPECT_EQ(card.ForeColor(), 0u);
    EXPECT_EQ(card.BackColor(), kButtonFaceColour);
    EXPECT_EQ(FromBgr(card.BackColor()), QGuiApplication::palette().color(QPalette::Button));
    EXPECT_TRUE(card.Enabled());
    EXPECT_TRUE(card.InstructionToolTip().isEmpty());
    EXPECT_EQ(card.Picture(), CardPicture::Blue);
    EXPECT_EQ(card.size(), CardArt::kCardSize);
    EXPECT_EQ(card.VerseCursorShape(), Qt::OpenHandCursor);

    // The parts are found by their names.
    for (const char* name : {"lblCardType", "lblCardInstruction", "lblCardInstructionExtra", "lblCardVerse"})
        EXPECT_NE(card.findChild<QLabel*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST(cVemoCardTest, ColoursConvertFromBlueGreenRed)
{
    EXPECT_EQ(FromBgr(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(FromBgr(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(FromBgr(0x0040C0), QColor(0xC0, 0x40, 0x00));
    EXPECT_EQ(FromBgr(0x800080), QColor(0x80, 0x00, 0x80));
    for (std::uint32_t bgr : {0x000000u, 0xFFFFFFu, 0x0040C0u, 0x123456u})
        EXPECT_EQ(ToBgr(FromBgr(bgr)), bgr);
    EXPECT_EQ(FromBgr(kSystemColourFlag | 5), QGuiApplication::palette().color(QPalette::Base));
}

// ---------------------------------------------------------------------------
// Properties

TEST(cVemoCardTest, InstructionToolTipIsSharedByBothLines)
{
    cVemoCard card;
    card.SetInstructionToolTip(QStringLiteral("Draw 4 cards"));
    EXPECT_EQ(card.lblCardInstruction->toolTip(), "Draw 4 cards");
    EXPECT_EQ(card.lblCardInstructionExtra->toolTip(), "Draw 4 cards");
    EXPECT_EQ(card.InstructionToolTip(), "Draw 4 cards");

    // Reading back answers the first line's tooltip.
    card.lblCardInstructionExtra->setToolTip(QStringLiteral("other"));
    EXPECT_EQ(card.InstructionToolTip(), "Draw 4 cards");
    card.setProperty("InstructionToolTip", QStringLiteral(""));
    EXPECT_TRUE(card.lblCardInstruction->toolTip().isEmpty());
    EXPECT_TRUE(card.lblCardInstructionExtra->toolTip().isEmpty());
}

TEST(cVemoCardTest, ColourPropertiesReachOnlyTheirOwnPart)
{
    cVemoCard card;
    card.SetInstructionColor(0x0000FF);
    EXPECT_EQ(TextColour(card.lblCardInstruction), QColor(255, 0, 0));
    EXPECT_EQ(TextColour(card.lblCardInstructionExtra), QColor(Qt::white));
    EXPECT_EQ(TextColour(card.lblCardType), QColor(Qt::white));

    card.SetTypeColor(0x008000);
    EXPECT_EQ(TextColour(card.lblCardType), QColor(0, 0x80, 0));
    EXPECT_EQ(TextColour(card.lblCardInstruction), QColor(255, 0, 0));

    card.SetForeColor(0x800080);
    EXPECT_EQ(TextColour(card.lblCardVerse), QColor(0x80, 0, 0x80));
    EXPECT_EQ(TextColour(card.lblCardType), QColor(0, 0x80, 0));

    // A disabled face keeps its colours.
    card.SetEnabled(false);
    EXPECT_FALSE(card.Enabled());
    EXPECT_EQ(card.lblCardInstruction->palette().color(QPalette::Disabled, QPalette::WindowText),
              QColor(255, 0, 0));
}

TEST(cVemoCardTest, TextPropertiesUpdateTheLabels)
{
    cVemoCard card;
    card.setProperty("CardType", QStringLiteral("GRACE"));
    card.setProperty("Instruction", QStringLiteral("Cancel D,S,T"));
    card.setProperty("InstructionExtra", QStringLiteral("Extra Turn"));
    card.setProperty("Verse", QStringLiteral("For by grace are ye saved through faith"));
    card.setProperty("CardCode", QStringLiteral("GG"));
    EXPECT_EQ(card.lblCardType->text(), "GRACE");
    EXPECT_EQ(card.lblCardInstruction->text(), "Cancel D,S,T");
    EXPECT_EQ(card.lblCardInstructionExtra->text(), "Extra Turn");
    EXPECT_EQ(card.lblCardVerse->toolTip(), "For by grace are ye saved through faith");
    EXPECT_EQ(card.CardCode(), "GG");

    // The reference and its short verse come joined by CR LF: shown as one
    // line break, read back as set.
    card.SetVerseRef(QStringLiteral("Eph. 2:8\r\nFor by grace"));
    EXPECT_EQ(card.lblCardVerse->text(), "Eph. 2:8\nFor by grace");
    EXPECT_EQ(card.VerseRef(), "Eph. 2:8\r\nFor by grace");
}

// ---------------------------------------------------------------------------
// Mouse events

TEST(cVemoCardTest, DoubleClickOnAnyPartRaisesTheOneDblClick)
{
    cVemoCard card;
    QSignalSpy spy(&card, &cVemoCard::DblClick);
    QTest::mouseDClick(card.lblCardVerse, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
    QTest::mouseDClick(card.lblCardType, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 2);
    QTest::mouseDClick(card.lblCardInstruction, Qt::LeftButton);
    QTest::mouseDClick(card.lblCardInstructionExtra, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 4);
    // The card's own background, between the labels.
    QTest::mouseDClick(&card, Qt::LeftButton, Qt::NoModifier, QPoint(2, card.height() / 2));
    EXPECT_EQ(spy.count(), 5);
}

TEST(cVemoCardTest, PressAndReleaseReportThePartsOwnCoordinates)
{
    cVemoCard card;
    QSignalSpy down(&card, &cVemoCard::MouseDown);
    QSignalSpy up(&card, &cVemoCard::MouseUp);

    struct Case {
        QWidget* part;
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        QPoint at;
        int buttonMask;
        int shiftMask;
    };
    const Case cases[] = {
        {card.lblCardVerse, Qt::LeftButton, Qt::NoModifier, QPoint(3, 4), 1, 0},
        {card.lblCardType, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 2), 2, 1},
        {card.lblCardInstruction, Qt::LeftButton, Qt::ControlModifier, QPoint(7, 1), 1, 2},
        {card.lblCardInstructionExtra, Qt::MiddleButton, Qt::AltModifier, QPoint(1, 3), 4, 4},
        {&card, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(1, 48), 1, 3},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part->objectName().toStdString());
        QTest::mousePress(c.part, c.button, c.modifiers, c.at);
        ASSERT_EQ(down.count(), n + 1);
        EXPECT_EQ(card.VerseCursorShape(), Qt::ClosedHandCursor);
        QTest::mouseRelease(c.part, c.button, c.modifiers, c.at);
        ASSERT_EQ(up.count(), n + 1);
        EXPECT_EQ(card.VerseCursorShape(), Qt::OpenHandCursor);
        for (const QList<QVariant>& args : {down.at(n), up.at(n)}) {
            EXPECT_EQ(args.at(0).toInt(), c.buttonMask);
            EXPECT_EQ(args.at(1).toInt(), c.shiftMask);
            EXPECT_DOUBLE_EQ(args.at(2).toDouble(), c.at.x());
            EXPECT_DOUBLE_EQ(args.at(3).toDouble(), c.at.y());
        }
        ++n;
    }
}

TEST(cVemoCardTest, MovesWhileHeldArePassedOnWithTheScreenPosition)
{
    cVemoCard card;
    QSignalSpy moves(&card, &cVemoCard::MouseMove);
    for (QWidget* part : {static_cast<QWidget*>(card.lblCardVerse), static_cast<QWidget*>(&card)}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(4, 5), QPointF(4, 5), QPointF(104, 205), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(part, &move);
    }
    ASSERT_EQ(moves.count(), 2);
    EXPECT_EQ(moves.at(0).at(0).toPoint(), QPoint(104, 205));
    EXPECT_EQ(moves.at(1).at(0).toPoint(), QPoint(104, 205));
}

// ---------------------------------------------------------------------------
// Filling a face from a card code

TEST(cVemoCardTest, FillDescribesTheCardByItsCode)
{
    struct Case {
        const char* code;
        const char* type;
        const char* instruction;
        const char* extra;
        const char* toolTip;
        CardPicture picture;
        std::uint32_t verseColour;
        std::uint32_t typeColour;
        const char* description;
    };
    const Case cases[] = {
        {"B5", " 5", "", "", "", CardPicture::Blue, 0xFF0000, 0xFFFFFF, "Blue 5"},
        {"LK", "ASK", "Card of Light", "Receive a", "Receive a card of light", CardPicture::Yellow, 0x0040C0,
         0x0040C0, nullptr},
        {"GT", "Tempt.", "DRAW 2", "", "Draw 2 cards", CardPicture::Green, 0x008000, 0xFFFFFF, nullptr},
        {"PR", "TRIAL", "DRAW 2", "", "Draw 2 cards", CardPicture::Purple, 0x800080, 0xFFFFFF, nullptr},
        {"RD", "DEVIL", "DRAW 4", "", "Draw 4 cards", CardPicture::Red, 0x0000FF, 0xFFFFFF, "Red Devil"},
        {"LV", "VEMO", "Extra Turn", "After Prayer", "Play after Prayer - gives an extra turn",
         CardPicture::Yellow, 0x0040C0, 0x0040C0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        cVemoCard card;
        card.Fill(vemo::CardCode(c.code), 0x00C000, QStringLiteral("Ref 1:1\r\nShort"), QStringLiteral("Full"));
        EXPECT_EQ(card.CardCode(), QString::fromLatin1(c.code));
        EXPECT_EQ(card.BackColor(), 0x00C000u);
        EXPECT_EQ(card.Picture(), c.picture);
        EXPECT_EQ(card.lblCardType->text(), QString::fromLatin1(c.type));
        EXPECT_EQ(card.lblCardInstruction->text(), QString::fromLatin1(c.instruction));
        EXPECT_EQ(card.lblCardInstructionExtra->text(), QString::fromLatin1(c.extra));
        EXPECT_EQ(card.lblCardInstruction->toolTip(), QString::fromLatin1(c.toolTip));
        EXPECT_EQ(card.lblCardInstructionExtra->toolTip(), QString::fromLatin1(c.toolTip));
        EXPECT_EQ(card.ForeColor(), c.verseColour);
        EXPECT_EQ(TextColour(card.lblCardVerse), FromBgr(c.verseColour));
        EXPECT_EQ(card.TypeColor(), c.typeColour);
        EXPECT_EQ(card.InstructionColor(), c.typeColour);
        EXPECT_EQ(TextColour(card.lblCardType), FromBgr(c.typeColour));
        EXPECT_EQ(TextColour(card.lblCardInstruction), FromBgr(c.typeColour));
        EXPECT_EQ(card.VerseRef(), "Ref 1:1\r\nShort");
        EXPECT_EQ(card.Verse(), "Full");
        EXPECT_FALSE(card.accessibleName().isEmpty());
        if (c.description != nullptr) {
            EXPECT_EQ(card.accessibleName(), QString::fromLatin1(c.description));
        }
    }
}

TEST(cVemoCardTest, FillWithoutAVerseKeepsTheOneShown)
{
    cVemoCard card;
    card.Fill(vemo::CardCode("BD"), 0x00C000, QStringLiteral("I Peter 5:8\r\nBe sober, be"),
              QStringLiteral("Be sober"));
    card.Fill(vemo::CardCode("GD"), 0x00C000, QString(), QString());
    EXPECT_EQ(card.CardCode(), "GD");
    EXPECT_EQ(card.VerseRef(), "I Peter 5:8\r\nBe sober, be");
    EXPECT_EQ(card.Verse(), "Be sober");
    EXPECT_EQ(card.Picture(), CardPicture::Green);
}

TEST(cVemoCardTest, TheSecondLineKeepsTheInkOfItsPicture)
{
    // The Light cards' dark orange reaches the second line through the picture
    // and not through InstructionColor.
    cVemoCard card;
    card.Fill(vemo::CardCode("LK"), 0x00C000, QString(), QString());
    EXPECT_EQ(TextColour(card.lblCardInstructionExtra), FromBgr(0x0040C0));
    card.SetInstructionColor(0xFFFFFF);
    EXPECT_EQ(TextColour(card.lblCardInstructionExtra), FromBgr(0x0040C0));
    card.Fill(vemo::CardCode("BG"), 0x00C000, QString(), QString());
    EXPECT_EQ(TextColour(card.lblCardInstructionExtra), QColor(Qt::white));
}

// ---------------------------------------------------------------------------
// Drawing

// How many distinct colours an image holds, up to a small limit.
int DistinctColours(const QImage& image)
{
    std::set<QRgb> seen;
    for (int y = 0; y < image.height() && seen.size() < 50; y += 2)
        for (int x = 0; x < image.width() && seen.size() < 50; x += 2) seen.insert(image.pixel(x, y));
    return int(seen.size());
}

TEST(cVemoCardTest, RendersAtItsNaturalAndDoubleSize)
{
    for (QSize size : {QSize(71, 96), QSize(142, 192)}) {
        SCOPED_TRACE(size.width());
        cVemoCard card;
        card.Fill(vemo::CardCode("RD"), 0x00C000, QStringLiteral("I Peter 5:8\r\nBe sober, be"), QString());
        card.resize(size);
        const QImage image = card.grab().toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), size * image.devicePixelRatio());
        EXPECT_GT(DistinctColours(image), 10);
        // The background shows outside the rounded corner, the red card inside.
        EXPECT_EQ(image.pixelColor(0, 0), FromBgr(0x00C000));
        const QColor middleOfBand = image.pixelColor(image.width() / 2, image.height() * 4 / 5);
        EXPECT_GT(middleOfBand.red(), middleOfBand.blue() + 60);

        // The labels grow with the card and stay inside it.
        for (QLabel* label : {card.lblCardType, card.lblCardInstruction, card.lblCardInstructionExtra,
                              card.lblCardVerse}) {
            EXPECT_TRUE(card.rect().contains(label->geometry())) << label->objectName().toStdString();
            EXPECT_GE(label->font().pixelSize(), size.height() / 16) << label->objectName().toStdString();
        }
    }
}

TEST(cVemoCardTest, LongWordsShrinkToTheirBand)
{
    cVemoCard card;
    card.Fill(vemo::CardCode("LK"), 0x00C000, QString(), QString());
    const QFont instruction = card.lblCardInstruction->font();
    EXPECT_LE(QFontMetricsF(instruction).horizontalAdvance(card.lblCardInstruction->text()),
              card.width() * 0.7);
    card.Fill(vemo::CardCode("BB"), 0x00C000, QString(), QString());
    EXPECT_LE(QFontMetricsF(card.lblCardType->font()).horizontalAdvance("Blessing"), card.width() * 0.7);
}

TEST(cVemoCardTest, FocusDrawsAFrame)
{
    cVemoCard card;
    card.setFocusPolicy(Qt::StrongFocus);
    card.show();
    card.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&card));
    // An active window hands its focus to the face, so drop it first.
    card.clearFocus();
    ASSERT_FALSE(card.hasFocus());
    const QImage unfocused = card.grab().toImage();
    card.setFocus();
    ASSERT_TRUE(card.hasFocus());
    EXPECT_TRUE(card.grab().toImage() != unfocused);
    card.clearFocus();
    EXPECT_TRUE(card.grab().toImage() == unfocused);
}

} // namespace
} // namespace vemo
