// The card pictures: sizes at every pixel ratio, staying inside their target,
// shapes that tell the colours apart, and text that stays readable on them.

#include "CardArt.h"
#include "CardDescriptions.h"
#include "VemoFonts.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using vemo::CardArt;
using vemo::CardPicture;

namespace {

using PaintFn = std::function<void(QPainter&, const QRectF&)>;

struct Item {
    std::string name;
    PaintFn paint;
};

std::vector<Item> AllItems()
{
    std::vector<Item> items;
    const std::array<std::pair<const char*, CardPicture>, 5> pictures{{
        {"Blue", CardPicture::Blue},
        {"Green", CardPicture::Green},
        {"Purple", CardPicture::Purple},
        {"Red", CardPicture::Red},
        {"Yellow", CardPicture::Yellow},
    }};
    for (const auto& [name, picture] : pictures)
        items.push_back({std::string("Card") + name,
                         [picture](QPainter& p, const QRectF& r) { CardArt::PaintCardPicture(p, r, picture); }});
    for (char letter : {'B', 'G', 'P', 'R', 'L'})
        items.push_back({std::string("Shape") + letter,
                         [letter](QPainter& p, const QRectF& r) { CardArt::PaintColourShape(p, r, letter); }});
    items.push_back({"Back", [](QPainter& p, const QRectF& r) { CardArt::PaintCardBack(p, r); }});
    items.push_back({"Deck", [](QPainter& p, const QRectF& r) { CardArt::PaintDeck(p, r); }});
    items.push_back({"DiscardSlot", [](QPainter& p, const QRectF& r) { CardArt::PaintDiscardSlot(p, r); }});
    items.push_back({"DiscardStack", [](QPainter& p, const QRectF& r) { CardArt::PaintDiscardStack(p, r); }});
    return items;
}

QImage ToImage(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

int CountOpaque(const QImage& image, int threshold = 0)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > threshold) ++count;
    return count;
}

QColor FromBgr(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

double Linear(double channel)
{
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c)
{
    return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor MeanColour(const QImage& image, const QRect& region)
{
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            const QRgb px = image.pixel(x, y);
            r += qRed(px);
            g += qGreen(px);
            b += qBlue(px);
            ++n;
        }
    return QColor(int(r / n + 0.5), int(g / n + 0.5), int(b / n + 0.5));
}

// A region of the card given in fractions of its size, in image pixels.
QRect Fraction(const QImage& image, double left, double top, double right, double bottom)
{
    return QRect(QPoint(int(image.width() * left), int(image.height() * top)),
                 QPoint(int(image.width() * right) - 1, int(image.height() * bottom) - 1));
}

// Every cell of a grid over the region, so a light or dark patch cannot hide
// in an average.
void ExpectContrastEverywhere(const QImage& image, const QRect& region, const QColor& text, double minimum,
                              const std::string& what)
{
    constexpr int kColumns = 4;
    constexpr int kRows = 2;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            const QRect cell(region.left() + region.width() * column / kColumns,
                             region.top() + region.height() * row / kRows, region.width() / kColumns,
                             region.height() / kRows);
            const QColor background = MeanColour(image, cell);
            EXPECT_GE(ContrastRatio(text, background), minimum)
                << what << " cell " << column << "," << row << " background " << background.name().toStdString()
                << " text " << text.name().toStdString();
        }
}

} // namespace

TEST(CardArt, RendersAtEverySizeAndPixelRatio)
{
    const std::array<QSize, 4> sizes{CardArt::kCardSize, CardArt::kDeckSize, QSize(213, 288), QSize(24, 32)};
    const std::array<qreal, 4> ratios{1.0, 1.25, 2.0, 3.0};
    for (const Item& item : AllItems())
        for (QSize size : sizes)
            for (qreal dpr : ratios) {
                const QPixmap pixmap = CardArt::Render(size, dpr, item.paint);
                const QSize expected(qRound(size.width() * dpr), qRound(size.height() * dpr));
                ASSERT_EQ(pixmap.size(), expected) << item.name << " dpr " << dpr;
                EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), dpr) << item.name;
                const QImage image = ToImage(pixmap);
                const int area = image.width() * image.height();
                // Shapes cover a good part of their square, cards nearly all of it.
                EXPECT_GT(CountOpaque(image), area / 8) << item.name << " " << size.width() << "x"
                                                        << size.height() << " dpr " << dpr;
            }
}

TEST(CardArt, ConvenienceRenderersUseTheNaturalSizes)
{
    EXPECT_EQ(CardArt::RenderCardPicture(CardPicture::Red).size(), QSize(71, 96));
    EXPECT_EQ(CardArt::RenderCardBack().size(), QSize(71, 96));
    EXPECT_EQ(CardArt::RenderDeck().size(), QSize(77, 102));
    EXPECT_EQ(CardArt::RenderDiscardSlot(CardArt::kCardSize, 2.0).size(), QSize(142, 192));
    EXPECT_EQ(CardArt::RenderDiscardStack(CardArt::kCardSize, 1.5).size(), QSize(107, 144));
    const QPixmap shape = CardArt::RenderColourShape('G', QSize(16, 16), 2.0);
    EXPECT_EQ(shape.size(), QSize(32, 32));
    EXPECT_DOUBLE_EQ(shape.devicePixelRatio(), 2.0);
}

TEST(CardArt, PaintsOnlyInsideItsTarget)
{
    const QRect target(40, 30, 71, 96);
    for (const Item& item : AllItems())
        for (qreal dpr : {1.0, 2.0}) {
            const QPixmap pixmap = CardArt::Render(QSize(160, 160), dpr, [&](QPainter& p, const QRectF&) {
                item.paint(p, QRectF(target));
            });
            const QImage image = ToImage(pixmap);
            int outside = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QPointF logical(x / dpr, y / dpr);
                    const bool inside = QRectF(target).adjusted(-1, -1, 1, 1).contains(logical);
                    if (!inside && qAlpha(image.pixel(x, y)) > 0) ++outside;
                }
            EXPECT_EQ(outside, 0) << item.name << " dpr " << dpr;
        }
}

TEST(CardArt, LeavesThePainterAsItFoundIt)
{
    for (const Item& item : AllItems()) {
        QImage image(100, 120, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.translate(3, 4);
        painter.setPen(QPen(Qt::cyan, 3));
        painter.setBrush(Qt::magenta);
        painter.setOpacity(0.5);
        item.paint(painter, QRectF(0, 0, 71, 96));
        EXPECT_EQ(painter.transform(), QTransform::fromTranslate(3, 4)) << item.name;
        EXPECT_EQ(painter.pen(), QPen(Qt::cyan, 3)) << item.name;
        EXPECT_EQ(painter.brush(), QBrush(Qt::magenta)) << item.name;
        EXPECT_DOUBLE_EQ(painter.opacity(), 0.5) << item.name;
        EXPECT_FALSE(painter.hasClipping()) << item.name;
    }
}

TEST(CardArt, ColourShapesHaveDifferentSilhouettes)
{
    // Silhouettes in black, compared pixel by pixel.
    const std::string letters = "BGPRL";
    std::vector<QImage> masks;
    for (char letter : letters) {
        QImage mask(64, 64, QImage::Format_ARGB32);
        mask.fill(Qt::transparent);
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing, true);
        QTransform unit;
        unit.scale(64, 64);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPath(unit.map(CardArt::ColourShapePath(letter)));
        painter.end();
        EXPECT_GT(CountOpaque(mask, 127), 64 * 64 / 5) << letter;
        masks.push_back(mask);
    }
    for (std::size_t i = 0; i < masks.size(); ++i)
        for (std::size_t j = i + 1; j < masks.size(); ++j) {
            int differing = 0;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x)
                    if ((qAlpha(masks[i].pixel(x, y)) > 127) != (qAlpha(masks[j].pixel(x, y)) > 127)) ++differing;
            EXPECT_GT(differing, 64 * 64 / 16) << letters[i] << " vs " << letters[j];
        }
}

TEST(CardArt, ShapesStayInTheUnitSquare)
{
    for (char letter : {'B', 'G', 'P', 'R', 'L'}) {
        const QRectF box = CardArt::ColourShapePath(letter).boundingRect();
        EXPECT_GE(box.left(), 0.0) << letter;
        EXPECT_GE(box.top(), 0.0) << letter;
        EXPECT_LE(box.right(), 1.0) << letter;
        EXPECT_LE(box.bottom(), 1.0) << letter;
        // And fill most of it, so shapes of the same nominal size look alike in size.
        EXPECT_GT(std::max(box.width(), box.height()), 0.85) << letter;
    }
}

TEST(CardArt, EachCardPictureIsDominatedByItsHue)
{
    const struct {
        CardPicture picture;
        double hueLow;   // degrees; hueLow > hueHigh wraps through 0
        double hueHigh;
    } cases[] = {
        {CardPicture::Blue, 200, 235},   {CardPicture::Green, 110, 160}, {CardPicture::Purple, 260, 300},
        {CardPicture::Red, 345, 15},     {CardPicture::Yellow, 35, 60},
    };
    for (const auto& c : cases) {
        const QImage image = ToImage(CardArt::RenderCardPicture(c.picture, CardArt::kCardSize, 2.0));
        std::array<int, 36> bins{};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor px = QColor::fromRgba(image.pixel(x, y));
                if (px.alpha() < 200 || px.hsvSaturationF() < 0.3f) continue;
                ++bins[std::size_t(px.hsvHue() / 10) % 36];
            }
        std::size_t top = 0;
        for (std::size_t i = 1; i < bins.size(); ++i)
            if (bins[i] > bins[top]) top = i;
        const double hue = top * 10.0 + 5.0;
        const bool inRange = c.hueLow <= c.hueHigh ? (hue >= c.hueLow && hue <= c.hueHigh)
                                                   : (hue >= c.hueLow || hue <= c.hueHigh);
        EXPECT_TRUE(inRange) << "picture " << int(c.picture) << " dominant hue " << hue;
    }
}

TEST(CardArt, ColourLettersChooseTheirPictures)
{
    EXPECT_EQ(CardArt::PictureOfLetter('B'), CardPicture::Blue);
    EXPECT_EQ(CardArt::PictureOfLetter('G'), CardPicture::Green);
    EXPECT_EQ(CardArt::PictureOfLetter('P'), CardPicture::Purple);
    EXPECT_EQ(CardArt::PictureOfLetter('R'), CardPicture::Red);
    EXPECT_EQ(CardArt::PictureOfLetter('L'), CardPicture::Yellow);
    EXPECT_EQ(CardArt::PictureOfLetter('?'), CardPicture::Yellow);
    // A Card of Light shows the sun whatever odd letter it carries.
    EXPECT_EQ(CardArt::ColourShapePath('L'), CardArt::ColourShapePath('X'));
}

// The type word sits in the top band and the instructions in the bottom band,
// both in the type colour; the verse sits on the middle panel in the verse
// colour (the card's own colour, or dark orange on a Card of Light).
TEST(CardArt, TextStaysReadableOnEveryPicture)
{
    for (char letter : {'B', 'G', 'P', 'R', 'L'}) {
        const vemo::CardColours colours = vemo::DescribeCardColour(letter);
        const QImage image = ToImage(CardArt::RenderCardPicture(colours.Picture, QSize(142, 192), 1.0));
        const QColor type = FromBgr(colours.TypeColor);
        const QColor verse = FromBgr(colours.VerseColor);
        const std::string name(1, letter);

        // Clear of the corner marks at the right.
        ExpectContrastEverywhere(image, Fraction(image, 0.03, 0.02, 0.70, 0.19), type, 3.0, name + " type band");
        ExpectContrastEverywhere(image, Fraction(image, 0.03, 0.73, 0.70, 0.97), type, 3.0,
                                 name + " instruction band");

        const QRectF panel = CardArt::VersePanelRect(QRectF(0, 0, image.width(), image.height()));
        const QRect inside = panel.adjusted(4, 4, -4, -4).toRect();
        ExpectContrastEverywhere(image, inside, verse, 3.0, name + " verse panel");
    }
}

TEST(CardArt, VersePanelLiesInTheMiddleOfTheCard)
{
    const QRectF card(10, 20, 71, 96);
    const QRectF panel = CardArt::VersePanelRect(card);
    EXPECT_TRUE(card.contains(panel));
    // Below the type word and above the instruction lines.
    EXPECT_GE(panel.top(), card.top() + card.height() * 0.15);
    EXPECT_LE(panel.bottom(), card.top() + card.height() * 0.73);
    EXPECT_NEAR(panel.center().x(), card.center().x(), 0.01);
}

TEST(VemoFonts, CasualFontHasTheAskedSizeAndWeight)
{
    const QFont regular = vemo::VemoCasualFont(12, false);
    const QFont bold = vemo::VemoCasualFont(9, true);
    EXPECT_EQ(regular.pointSize(), 12);
    EXPECT_FALSE(regular.bold());
    EXPECT_EQ(bold.pointSize(), 9);
    EXPECT_TRUE(bold.bold());
    if (vemo::VemoCasualFontAvailable()) {
        EXPECT_EQ(QFontInfo(regular).family(), QString::fromLatin1(vemo::kVemoCasualFamily));
    }
    // Without the font a sans-serif font stands in; either way there is a family.
    EXPECT_FALSE(QFontInfo(bold).family().isEmpty());
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
