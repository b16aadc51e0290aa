// The card pictures: sizes at every pixel ratio, staying inside their target,
// shapes that tell the colours apart, and text that stays readable on them.

#include "CardArt.h"
#include "CardDescriptions.h"

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

std::vector<std::pair<std::string, PaintFn>> AllItems()
{
    std::vector<std::pair<std::string, PaintFn>> items{
        {"Back", CardArt::PaintCardBack}, {"Deck", CardArt::PaintDeck},
        {"DiscardSlot", CardArt::PaintDiscardSlot}, {"DiscardStack", CardArt::PaintDiscardStack},
    };
    for (CardPicture picture : {CardPicture::Blue, CardPicture::Green, CardPicture::Purple, CardPicture::Red, CardPicture::Yellow})
        items.emplace_back("Card" + std::to_string(int(picture)),
                           [picture](QPainter& p, const QRectF& r) { CardArt::PaintCardPicture(p, r, picture); });
    for (char letter : {'B', 'G', 'P', 'R', 'L'})
        items.emplace_back(std::string("Shape") + letter,
                           [letter](QPainter& p, const QRectF& r) { CardArt::PaintColourShape(p, r, letter); });
    return items;
}

QImage ToImage(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

// The pixels more opaque than threshold, and of those the ones outside inside (in logical pixels).
int CountOpaque(const QImage& image, int threshold = 0, const QRectF& inside = QRectF())
{
    const qreal dpr = image.devicePixelRatio();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > threshold && !inside.contains(QPointF(x / dpr, y / dpr))) ++count;
    return count;
}

double Luminance(const QColor& c)
{
    const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

// Every cell of a 4 x 2 grid over the region, so a light or dark patch cannot
// hide in an average, has the contrast with the text; scaling down to the grid
// averages each cell.
void ExpectContrastEverywhere(const QImage& image, const QRect& region, const QColor& text, const std::string& what)
{
    const QImage cells = image.copy(region).scaled(4, 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column) {
            const QColor background = cells.pixelColor(column, row);
            const double lt = Luminance(text), lb = Luminance(background);
            EXPECT_GE((std::max(lt, lb) + 0.05) / (std::min(lt, lb) + 0.05), 3.0)
                << what << " cell " << column << "," << row << " background " << background.name().toStdString();
        }
}

} // namespace

// Every picture at every size and pixel ratio covers a good part of its area
// (shapes their square, cards nearly all of it), paints nothing outside its
// target and leaves the painter as it found it.
TEST(CardArt, EveryPictureFillsItsTargetOnlyAndLeavesThePainter)
{
    for (const auto& [name, paint] : AllItems()) {
        SCOPED_TRACE(name);
        for (QSize size : {CardArt::kCardSize, CardArt::kDeckSize, QSize(213, 288), QSize(24, 32)})
            for (qreal dpr : {1.0, 1.25, 2.0, 3.0}) {
                const QImage image = ToImage(CardArt::Render(size, dpr, paint));
                ASSERT_EQ(image.size(), QSize(qRound(size.width() * dpr), qRound(size.height() * dpr))) << dpr;
                EXPECT_GT(CountOpaque(image), image.width() * image.height() / 8) << size.width() << " dpr " << dpr;
            }
        const QRectF target(40, 30, 71, 96);
        for (qreal dpr : {1.0, 2.0}) {
            const QImage image = ToImage(CardArt::Render(QSize(160, 160), dpr, [&](QPainter& p, const QRectF&) {
                p.translate(3, 4);
                p.setPen(QPen(Qt::cyan, 3));
                p.setBrush(Qt::magenta);
                p.setOpacity(0.5);
                const QTransform before = p.transform();
                paint(p, target.translated(-3, -4));
                EXPECT_TRUE(p.transform() == before && p.pen() == QPen(Qt::cyan, 3) && p.brush() == QBrush(Qt::magenta) &&
                            p.opacity() == 0.5 && !p.hasClipping());
            }));
            EXPECT_EQ(CountOpaque(image, 0, target.adjusted(-1, -1, 1, 1)), 0) << "dpr " << dpr;
        }
    }
}

// Each colour's shape stays in the unit square and fills most of it, and its
// silhouette differs from every other's.
TEST(CardArt, ColourShapesHaveDifferentSilhouettes)
{
    const std::string letters = "BGPRL";
    std::vector<QImage> masks;
    for (char letter : letters) {
        const QPainterPath path = CardArt::ColourShapePath(letter);
        EXPECT_TRUE(QRectF(0, 0, 1, 1).contains(path.boundingRect())) << letter;
        QImage mask(64, 64, QImage::Format_ARGB32);
        mask.fill(Qt::transparent);
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.fillPath(QTransform::fromScale(64, 64).map(path), Qt::black);
        painter.end();
        EXPECT_GT(CountOpaque(mask, 127), 64 * 64 / 5) << letter;
        masks.push_back(mask);
    }
    for (std::size_t i = 0; i < masks.size(); ++i)
        for (std::size_t j = i + 1; j < masks.size(); ++j) {
            int differing = 0;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x)
                    differing += (qAlpha(masks[i].pixel(x, y)) > 127) != (qAlpha(masks[j].pixel(x, y)) > 127);
            EXPECT_GT(differing, 64 * 64 / 16) << letters[i] << " vs " << letters[j];
        }
    // A Card of Light shows the sun whatever odd letter it carries.
    EXPECT_EQ(CardArt::ColourShapePath('L'), CardArt::ColourShapePath('X'));
}

// Each colour letter chooses its picture, whose most common hue is its own;
// the type word and instruction bands and the verse panel in the middle keep
// their text readable.
TEST(CardArt, EachPictureHasItsHueAndReadableText)
{
    const struct {
        char letter;
        CardPicture picture;
        double hueLow, hueHigh; // degrees; hueLow > hueHigh wraps through 0
    } cases[] = {
        {'B', CardPicture::Blue, 200, 235},  {'G', CardPicture::Green, 110, 160}, {'P', CardPicture::Purple, 260, 300},
        {'R', CardPicture::Red, 345, 15},    {'L', CardPicture::Yellow, 35, 60},  {'?', CardPicture::Yellow, 35, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.letter);
        ASSERT_EQ(CardArt::PictureOfLetter(c.letter), c.picture);
        const QImage image = ToImage(CardArt::RenderCardPicture(c.picture, CardArt::kCardSize, 2.0));
        std::array<int, 36> bins{};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor px = QColor::fromRgba(image.pixel(x, y));
                if (px.alpha() >= 200 && px.hsvSaturationF() >= 0.3f) ++bins[std::size_t(px.hsvHue() / 10) % 36];
            }
        const double hue = double(std::max_element(bins.begin(), bins.end()) - bins.begin()) * 10.0 + 5.0;
        EXPECT_TRUE(c.hueLow <= c.hueHigh ? (hue >= c.hueLow && hue <= c.hueHigh) : (hue >= c.hueLow || hue <= c.hueHigh))
            << hue;

        // The type word and the instructions in the type colour, clear of the
        // corner marks at the right; the verse in the verse colour.
        const vemo::CardColours colours = vemo::DescribeCardColour(c.letter == '?' ? 'L' : c.letter);
        const QImage big = ToImage(CardArt::RenderCardPicture(colours.Picture, QSize(142, 192), 1.0));
        const auto fraction = [&](double left, double top, double right, double bottom) {
            return QRect(QPoint(int(142 * left), int(192 * top)), QPoint(int(142 * right) - 1, int(192 * bottom) - 1));
        };
        const auto ink = [](std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); };
        ExpectContrastEverywhere(big, fraction(0.03, 0.02, 0.70, 0.19), ink(colours.TypeColor), "type band");
        ExpectContrastEverywhere(big, fraction(0.03, 0.73, 0.70, 0.97), ink(colours.TypeColor), "instruction band");
        const QRectF panel = CardArt::VersePanelRect(QRectF(0, 0, 142, 192));
        ExpectContrastEverywhere(big, panel.adjusted(4, 4, -4, -4).toRect(), ink(colours.VerseColor), "verse panel");
    }
    // The panel lies below the type word, above the instruction lines, centred.
    const QRectF card(10, 20, 71, 96);
    const QRectF panel = CardArt::VersePanelRect(card);
    EXPECT_TRUE(card.contains(panel));
    EXPECT_GE(panel.top(), card.top() + card.height() * 0.15);
    EXPECT_LE(panel.bottom(), card.top() + card.height() * 0.73);
    EXPECT_NEAR(panel.center().x(), card.center().x(), 0.01);
}
