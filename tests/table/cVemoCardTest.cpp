// The hand's card face: what a new face shows, the properties each reaching
// their own part, the mouse events it passes on, filling it from a card code,
// and drawing it.
#include "cVemoCard.h"

#include "CardArt.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace vemo {
namespace {

QColor TextColour(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

// Type, first and second instruction line, verse: their texts and colours.
QStringList Texts(const cVemoCard& card)
{
    return {card.lblCardType->text(), card.lblCardInstruction->text(), card.lblCardInstructionExtra->text(),
            card.lblCardVerse->text()};
}
// The tooltips of the two instruction lines and the verse.
QStringList Tips(const cVemoCard& card)
{
    return {card.lblCardInstruction->toolTip(), card.lblCardInstructionExtra->toolTip(), card.lblCardVerse->toolTip()};
}
std::vector<QColor> Inks(const cVemoCard& card)
{
    return {TextColour(card.lblCardType), TextColour(card.lblCardInstruction),
            TextColour(card.lblCardInstructionExtra), TextColour(card.lblCardVerse)};
}

// A new face shows the Devil in white and matches no card; each property then
// reaches its own part only.
TEST(cVemoCardTest, NewFaceAndItsProperties)
{
    cVemoCard card;
    EXPECT_EQ(Texts(card), QStringList({"DEVIL", "DRAW 4", "DRAW 4", "I Peter 5:8"}));
    EXPECT_EQ(Tips(card), QStringList({"", "", "Be sober, be vigilant; because your adversary the devil, as a roaring lion, "
                                                "walketh about, seeking whom he may devour."}));
    EXPECT_EQ(Inks(card), (std::vector<QColor>{Qt::white, Qt::white, Qt::white, Qt::black}));
    EXPECT_EQ(std::tuple(card.CardCode(), FromBgr(card.BackColor()), card.Picture(), card.size()),
              std::tuple(QString("0"), QGuiApplication::palette().color(QPalette::Button), CardPicture::Blue,
                         CardArt::kCardSize));

    // Colours travel as blue, green, red; a flagged one names a system colour.
    for (const auto& [bgr, colour] : {std::pair{0xFF0000u, QColor(0, 0, 255)}, {0x0000FFu, QColor(255, 0, 0)},
                                      {0x0040C0u, QColor(0xC0, 0x40, 0)}, {0x123456u, QColor(0x56, 0x34, 0x12)}})
        EXPECT_TRUE(FromBgr(bgr) == colour && ToBgr(colour) == bgr) << bgr;
    EXPECT_EQ(FromBgr(kSystemColourFlag | 5), QGuiApplication::palette().color(QPalette::Base));

    // Both instruction lines share the tooltip; reading it answers the first line's.
    card.SetInstructionToolTip(QStringLiteral("Draw 4 cards"));
    EXPECT_EQ(Tips(card).mid(0, 2), QStringList({"Draw 4 cards", "Draw 4 cards"}));
    card.lblCardInstructionExtra->setToolTip(QStringLiteral("other"));
    EXPECT_EQ(card.InstructionToolTip(), "Draw 4 cards");

    card.SetInstructionColor(0x0000FF);
    EXPECT_EQ(Inks(card), (std::vector<QColor>{Qt::white, Qt::red, Qt::white, Qt::black}));
    card.SetTypeColor(0x008000);
    card.SetForeColor(0x800080);
    EXPECT_EQ(Inks(card), (std::vector<QColor>{QColor(0, 0x80, 0), Qt::red, Qt::white, QColor(0x80, 0, 0x80)}));
    // A disabled face keeps its colours.
    card.SetEnabled(false);
    EXPECT_EQ(card.lblCardInstruction->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::red));

    // The reference and its short verse come joined by CR LF: shown as one line break, read back as set.
    card.setProperty("VerseRef", QStringLiteral("Eph. 2:8\r\nFor by grace"));
    EXPECT_EQ(card.lblCardVerse->text(), "Eph. 2:8\nFor by grace");
    EXPECT_EQ(card.VerseRef(), "Eph. 2:8\r\nFor by grace");
}

TEST(cVemoCardTest, EveryPartPassesOnItsMouseEvents)
{
    cVemoCard card;
    QSignalSpy doubles(&card, &cVemoCard::DblClick);
    QSignalSpy down(&card, &cVemoCard::MouseDown);
    QSignalSpy up(&card, &cVemoCard::MouseUp);
    QSignalSpy moves(&card, &cVemoCard::MouseMove);
    // Press and release report the part's own coordinates; masks: button 1 left,
    // 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt.
    const struct { QWidget* part; Qt::MouseButton button; Qt::KeyboardModifiers modifiers; QPoint at;
                   int buttonMask, shiftMask; } cases[] = {
        {card.lblCardVerse, Qt::LeftButton, Qt::NoModifier, QPoint(3, 4), 1, 0},
        {card.lblCardType, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 2), 2, 1},
        {card.lblCardInstruction, Qt::LeftButton, Qt::ControlModifier, QPoint(7, 1), 1, 2},
        {card.lblCardInstructionExtra, Qt::MiddleButton, Qt::AltModifier, QPoint(1, 3), 4, 4},
        {&card, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(2, 48), 1, 3}, // between the labels
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.part->objectName().toStdString());
        const auto n = down.count();
        QTest::mousePress(c.part, c.button, c.modifiers, c.at);
        ASSERT_EQ(down.count(), n + 1);
        EXPECT_EQ(card.VerseCursorShape(), Qt::ClosedHandCursor);
        // A move while held is passed on with the screen position.
        QMouseEvent move(QEvent::MouseMove, QPointF(4, 5), QPointF(4, 5), QPointF(104, 205), Qt::NoButton, c.button,
                         Qt::NoModifier);
        const auto m = moves.count();
        QApplication::sendEvent(c.part, &move);
        ASSERT_EQ(moves.count(), m + 1);
        EXPECT_EQ(moves.last().at(0).toPoint(), QPoint(104, 205));
        QTest::mouseRelease(c.part, c.button, c.modifiers, c.at);
        EXPECT_EQ(card.VerseCursorShape(), Qt::OpenHandCursor);
        for (const QList<QVariant>& args : {down.last(), up.last()})
            EXPECT_EQ(args, (QList<QVariant>{c.buttonMask, c.shiftMask, double(c.at.x()), double(c.at.y())}));
        const auto d = doubles.count();
        QTest::mouseDClick(c.part, Qt::LeftButton, Qt::NoModifier, c.at);
        EXPECT_EQ(doubles.count(), d + 1) << "one DblClick whichever part";
    }
}

TEST(cVemoCardTest, FillDescribesTheCardByItsCode)
{
    // The texts are the type word, the first and the second instruction line.
    const struct { const char* code; QStringList texts; const char* toolTip; CardPicture picture;
                   std::uint32_t verseColour, typeColour; const char* description; } cases[] = {
        {"B5", {" 5", "", ""}, "", CardPicture::Blue, 0xFF0000, 0xFFFFFF, "Blue 5"},
        {"LK", {"ASK", "Card of Light", "Receive a"}, "Receive a card of light", CardPicture::Yellow, 0x0040C0, 0x0040C0, nullptr},
        {"GT", {"Tempt.", "DRAW 2", ""}, "Draw 2 cards", CardPicture::Green, 0x008000, 0xFFFFFF, nullptr},
        {"PR", {"TRIAL", "DRAW 2", ""}, "Draw 2 cards", CardPicture::Purple, 0x800080, 0xFFFFFF, nullptr},
        {"RD", {"DEVIL", "DRAW 4", ""}, "Draw 4 cards", CardPicture::Red, 0x0000FF, 0xFFFFFF, "Red Devil"},
        {"LV", {"VEMO", "Extra Turn", "After Prayer"}, "Play after Prayer - gives an extra turn", CardPicture::Yellow,
         0x0040C0, 0x0040C0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        cVemoCard card;
        card.Fill(vemo::CardCode(c.code), 0x00C000, QStringLiteral("Ref 1:1\r\nShort"), QStringLiteral("Full"));
        EXPECT_TRUE(card.CardCode() == QLatin1String(c.code) && card.BackColor() == 0x00C000u && card.Picture() == c.picture);
        EXPECT_EQ(Texts(card), c.texts + QStringList{"Ref 1:1\nShort"});
        EXPECT_EQ(Tips(card), QStringList({c.toolTip, c.toolTip, "Full"}));
        // The second line keeps the ink of its picture: white, dark orange on a Card of Light.
        const QColor type = FromBgr(c.typeColour);
        EXPECT_EQ(Inks(card), (std::vector<QColor>{type, type, type, FromBgr(c.verseColour)}));
        EXPECT_TRUE(c.description ? card.accessibleName() == QLatin1String(c.description) : !card.accessibleName().isEmpty());
        // ... also when the first line's colour is set afterwards.
        card.SetInstructionColor(0xFFFFFF);
        EXPECT_EQ(TextColour(card.lblCardInstructionExtra), type);
        // Without a verse (no row found) the face keeps the one shown.
        card.Fill(vemo::CardCode("GD"), 0x00C000, QString(), QString());
        EXPECT_TRUE(card.CardCode() == "GD" && card.Picture() == CardPicture::Green && card.VerseRef() == "Ref 1:1\r\nShort");
        EXPECT_EQ(Tips(card).last(), "Full");
        EXPECT_EQ(TextColour(card.lblCardInstructionExtra), QColor(Qt::white));
    }
}

// How many distinct colours an image holds, up to a small limit.
int DistinctColours(const QImage& image)
{
    std::set<QRgb> seen;
    for (int y = 0; y < image.height() && seen.size() < 50; y += 2)
        for (int x = 0; x < image.width() && seen.size() < 50; x += 2) seen.insert(image.pixel(x, y));
    return int(seen.size());
}

// At its natural and double size the words fit their bands and the picture
// shows inside the rounded corner.
TEST(cVemoCardTest, DrawsWithWordsThatFit)
{
    for (QSize size : {QSize(71, 96), QSize(142, 192)}) {
        for (const char* code : {"RD", "LK", "BB"}) {
            SCOPED_TRACE(std::string(code) + " " + std::to_string(size.width()));
            cVemoCard card;
            card.Fill(vemo::CardCode(code), 0x00C000, QStringLiteral("I Peter 5:8\r\nBe sober, be"), QString());
            card.resize(size);
            const QImage image = card.grab().toImage();
            // Long words shrink to their band; the labels grow with the card and stay inside it.
            for (QLabel* label : {card.lblCardType, card.lblCardInstruction, card.lblCardInstructionExtra, card.lblCardVerse}) {
                SCOPED_TRACE(label->objectName().toStdString());
                EXPECT_TRUE(card.rect().contains(label->geometry()));
                EXPECT_GE(label->font().pixelSize(), size.height() / 16);
                EXPECT_TRUE(label == card.lblCardVerse ||
                            QFontMetricsF(label->font()).horizontalAdvance(label->text()) <= size.width() * 0.7);
            }
            ASSERT_EQ(image.size(), size * image.devicePixelRatio());
            EXPECT_GT(DistinctColours(image), 10);
            // The background shows outside the rounded corner, the card inside.
            EXPECT_EQ(image.pixelColor(0, 0), FromBgr(0x00C000));
            const QColor middleOfBand = image.pixelColor(image.width() / 2, image.height() * 4 / 5);
            EXPECT_TRUE(std::string(code) != "RD" || middleOfBand.red() > middleOfBand.blue() + 60);
        }
    }
}

} // namespace
} // namespace vemo
