#include "CardArt.h"

#include "VemoFonts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>

namespace vemo {

namespace {

QColor Mix(const QColor& a, const QColor& b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QColor WithAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// The colours of one card picture. The bands must stay dark enough for white
// type (light enough for dark orange on the yellow card); the panel light
// enough for the verse, which is printed in the card's own colour.
struct Palette {
    QColor light;   // top of the band gradient
    QColor base;
    QColor dark;    // bottom of the band gradient
    QColor border;
    QColor ink;     // type word and instruction text, also the corner marks
    QColor panel;   // verse panel
};

Palette PaletteOf(CardPicture picture)
{
    const QColor white(255, 255, 255);
    switch (picture) {
    case CardPicture::Blue:
        return {QColor(44, 110, 210), QColor(33, 96, 196), QColor(22, 64, 150), QColor(12, 36, 92), white,
                QColor(246, 249, 255)};
    case CardPicture::Green:
        return {QColor(36, 136, 62), QColor(33, 130, 60), QColor(20, 96, 44), QColor(10, 56, 24), white,
                QColor(246, 252, 246)};
    case CardPicture::Purple:
        return {QColor(134, 76, 194), QColor(118, 60, 176), QColor(84, 38, 134), QColor(50, 20, 84), white,
                QColor(251, 247, 255)};
    case CardPicture::Red:
        return {QColor(214, 56, 60), QColor(200, 40, 46), QColor(150, 24, 32), QColor(92, 12, 18), white,
                QColor(255, 249, 248)};
    case CardPicture::Yellow:
        break;
    }
    return {QColor(255, 238, 150), QColor(255, 222, 102), QColor(255, 204, 72), QColor(176, 98, 10),
            QColor(192, 64, 0), QColor(255, 253, 240)};
}

char LetterOf(CardPicture picture)
{
    switch (picture) {
    case CardPicture::Blue: return 'B';
    case CardPicture::Green: return 'G';
    case CardPicture::Purple: return 'P';
    case CardPicture::Red: return 'R';
    case CardPicture::Yellow: break;
    }
    return 'L';
}

QRectF CentredSquare(const QRectF& r)
{
    const qreal side = std::min(r.width(), r.height());
    return {r.center().x() - side / 2, r.center().y() - side / 2, side, side};
}

QPainterPath MapUnitPath(const QPainterPath& unit, const QRectF& square)
{
    QTransform t;
    t.translate(square.left(), square.top());
    t.scale(square.width(), square.height());
    return t.map(unit);
}

qreal CardRadius(const QRectF& r) { return std::min(r.width(), r.height()) * 0.085; }

QPainterPath DropPath()
{
    QPainterPath p;
    p.moveTo(0.5, 0.03);
    p.cubicTo(0.60, 0.19, 0.82, 0.40, 0.82, 0.63);
    p.arcTo(QRectF(0.18, 0.31, 0.64, 0.64), 0, -180);
    p.cubicTo(0.18, 0.40, 0.40, 0.19, 0.5, 0.03);
    p.closeSubpath();
    return p;
}

// A leaf with a short stalk at its foot, before it is tilted.
QPainterPath UprightLeaf()
{
    QPainterPath leaf;
    leaf.moveTo(0.5, 0.02);
    leaf.cubicTo(0.64, 0.12, 0.92, 0.46, 0.5, 0.84);
    leaf.cubicTo(0.08, 0.46, 0.36, 0.12, 0.5, 0.02);
    leaf.closeSubpath();
    QPainterPath stalk;
    stalk.moveTo(0.46, 0.78);
    stalk.lineTo(0.54, 0.78);
    stalk.lineTo(0.53, 0.99);
    stalk.lineTo(0.47, 0.99);
    stalk.closeSubpath();
    return leaf.united(stalk);
}

// Leans the leaf to the right and shrinks it back into the unit square, which
// the tilt pushes its tips out of.
QTransform LeafTilt()
{
    QTransform tilt;
    tilt.translate(0.5, 0.5);
    tilt.rotate(30);
    tilt.translate(-0.5, -0.5);
    const QRectF box = tilt.map(UprightLeaf()).boundingRect();
    const qreal scale = 0.98 / std::max(box.width(), box.height());
    QTransform fit;
    fit.translate(0.5, 0.5);
    fit.scale(scale, scale);
    fit.translate(-box.center().x(), -box.center().y());
    return tilt * fit;
}

QPainterPath LeafPath() { return LeafTilt().map(UprightLeaf()); }

QPainterPath DiamondPath()
{
    QPainterPath p;
    p.moveTo(0.5, 0.02);
    p.lineTo(0.9, 0.5);
    p.lineTo(0.5, 0.98);
    p.lineTo(0.1, 0.5);
    p.closeSubpath();
    return p;
}

QPainterPath HeartPath()
{
    QPainterPath p;
    p.moveTo(0.5, 0.93);
    p.cubicTo(0.22, 0.72, 0.03, 0.54, 0.04, 0.34);
    p.cubicTo(0.05, 0.12, 0.34, 0.02, 0.5, 0.24);
    p.cubicTo(0.66, 0.02, 0.95, 0.12, 0.96, 0.34);
    p.cubicTo(0.97, 0.54, 0.78, 0.72, 0.5, 0.93);
    p.closeSubpath();
    return p;
}

QPainterPath SunPath()
{
    QPainterPath p;
    p.addEllipse(QPointF(0.5, 0.5), 0.25, 0.25);
    constexpr int kRays = 12;
    for (int i = 0; i < kRays; ++i) {
        const qreal a = qDegreesToRadians(360.0 * i / kRays);
        const qreal half = qDegreesToRadians(9.0);
        QPainterPath ray;
        ray.moveTo(0.5 + 0.49 * std::cos(a), 0.5 + 0.49 * std::sin(a));
        ray.lineTo(0.5 + 0.31 * std::cos(a + half), 0.5 + 0.31 * std::sin(a + half));
        ray.lineTo(0.5 + 0.31 * std::cos(a - half), 0.5 + 0.31 * std::sin(a - half));
        ray.closeSubpath();
        p.addPath(ray);
    }
    return p;
}

// Inner details that are not part of the silhouette: the leaf's midrib, the
// diamond's facets.
QPainterPath ShapeDetailPath(char colourLetter)
{
    QPainterPath d;
    if (colourLetter == 'G') {
        QPainterPath rib;
        rib.moveTo(0.5, 0.80);
        rib.cubicTo(0.49, 0.55, 0.49, 0.35, 0.5, 0.12);
        rib.moveTo(0.5, 0.58);
        rib.lineTo(0.64, 0.44);
        rib.moveTo(0.5, 0.58);
        rib.lineTo(0.36, 0.44);
        rib.moveTo(0.5, 0.40);
        rib.lineTo(0.61, 0.28);
        rib.moveTo(0.5, 0.40);
        rib.lineTo(0.39, 0.28);
        d = LeafTilt().map(rib);
    } else if (colourLetter == 'P') {
        d.moveTo(0.31, 0.5);
        d.lineTo(0.5, 0.26);
        d.lineTo(0.69, 0.5);
        d.lineTo(0.5, 0.74);
        d.closeSubpath();
    }
    return d;
}

void PaintShapeSilhouette(QPainter& painter, const QPainterPath& shape, const QColor& fill,
                          const QColor& outline, qreal outlineWidth)
{
    painter.setBrush(fill);
    if (outlineWidth > 0)
        painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        painter.setPen(Qt::NoPen);
    painter.drawPath(shape);
}

// The rounded coloured body shared by the face and the cards of the pile.
void PaintCardBody(QPainter& painter, const QRectF& card, const Palette& colours, qreal borderWidth)
{
    const qreal radius = CardRadius(card);
    QPainterPath outline;
    outline.addRoundedRect(card, radius, radius);

    QLinearGradient band(card.topLeft(), card.bottomLeft());
    band.setColorAt(0.0, colours.light);
    band.setColorAt(0.45, colours.base);
    band.setColorAt(1.0, colours.dark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(band);
    painter.drawPath(outline);

    // A soft sheen from the top left corner.
    QRadialGradient sheen(card.topLeft() + QPointF(card.width() * 0.2, card.height() * 0.08),
                          card.width() * 0.9);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 45));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(sheen);
    painter.drawPath(outline);

    // A fine light frame just inside the edge.
    const qreal inset = card.width() * 0.045;
    const QRectF frame = card.adjusted(inset, inset, -inset, -inset);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 110), std::max(0.5, card.width() * 0.012)));
    painter.drawRoundedRect(frame, radius * 0.7, radius * 0.7);

    painter.setPen(QPen(colours.border, borderWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
}

// Faint light rays from the middle of a Card of Light.
void PaintLightRays(QPainter& painter, const QRectF& card)
{
    painter.save();
    QPainterPath clip;
    clip.addRoundedRect(card, CardRadius(card), CardRadius(card));
    painter.setClipPath(clip, Qt::IntersectClip);
    const QPointF c = card.center();
    const qreal reach = std::hypot(card.width(), card.height());
    constexpr int kRays = 16;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < kRays; ++i) {
        const qreal a = qDegreesToRadians(360.0 * i / kRays + 360.0 / kRays / 4);
        const qreal half = qDegreesToRadians(360.0 / kRays / 4);
        QPainterPath ray;
        ray.moveTo(c);
        ray.lineTo(c + QPointF(std::cos(a - half), std::sin(a - half)) * reach);
        ray.lineTo(c + QPointF(std::cos(a + half), std::sin(a + half)) * reach);
        ray.closeSubpath();
        QRadialGradient fade(c, reach / 2);
        fade.setColorAt(0.0, QColor(255, 255, 255, 110));
        fade.setColorAt(1.0, QColor(255, 255, 255, 20));
        painter.setBrush(fade);
        painter.drawPath(ray);
    }
    painter.restore();
}

} // namespace

QRectF CardArt::FitCard(const QRectF& area)
{
    const qreal aspect = qreal(CardArt::kCardSize.width()) / CardArt::kCardSize.height();
    qreal w = area.width();
    qreal h = w / aspect;
    if (h > area.height()) {
        h = area.height();
        w = h * aspect;
    }
    return {area.center().x() - w / 2, area.center().y() - h / 2, w, h};
}

namespace {

} // namespace

QColor CardArt::PictureColour(CardPicture picture) { return PaletteOf(picture).base; }

CardPicture CardArt::PictureOfLetter(char colourLetter) { return DescribeCardColour(colourLetter).Picture; }

QPainterPath CardArt::ColourShapePath(char colourLetter)
{
    switch (colourLetter) {
    case 'B': return DropPath();
    case 'G': return LeafPath();
    case 'P': return DiamondPath();
    case 'R': return HeartPath();
    default: return SunPath();
    }
}

QRectF CardArt::VersePanelRect(const QRectF& card)
{
    return {card.left() + card.width() * 0.085, card.top() + card.height() * 0.2, card.width() * 0.83,
            card.height() * 0.51};
}

void CardArt::PaintCardPicture(QPainter& painter, const QRectF& target, CardPicture picture)
{
    if (target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const Palette colours = PaletteOf(picture);
    const char letter = LetterOf(picture);
    const qreal borderWidth = std::max(0.75, target.width() * 0.016);
    const QRectF card = target.adjusted(borderWidth / 2, borderWidth / 2, -borderWidth / 2, -borderWidth / 2);

    PaintCardBody(painter, card, colours, borderWidth);
    if (picture == CardPicture::Yellow) PaintLightRays(painter, card);

    // The verse panel, with a faint watermark of the colour's shape.
    const QRectF panel = VersePanelRect(card);
    const qreal panelRadius = card.width() * 0.07;
    QPainterPath panelPath;
    panelPath.addRoundedRect(panel, panelRadius, panelRadius);
    painter.setPen(QPen(QColor(255, 255, 255, 150), std::max(0.75, card.width() * 0.03)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(panelPath);
    QLinearGradient panelFill(panel.topLeft(), panel.bottomLeft());
    panelFill.setColorAt(0.0, colours.panel);
    panelFill.setColorAt(1.0, Mix(colours.panel, colours.base, 0.08));
    painter.setPen(QPen(WithAlpha(colours.dark, 170), std::max(0.5, card.width() * 0.01)));
    painter.setBrush(panelFill);
    painter.drawPath(panelPath);

    const QRectF mark = CentredSquare(panel.adjusted(panel.width() * 0.12, panel.height() * 0.1,
                                                     -panel.width() * 0.12, -panel.height() * 0.1));
    painter.setPen(Qt::NoPen);
    painter.setBrush(WithAlpha(picture == CardPicture::Yellow ? QColor(230, 120, 0) : colours.base, 26));
    painter.drawPath(MapUnitPath(ColourShapePath(letter), mark));

    // Corner marks in the text colour: top right, and bottom right turned over,
    // clear of the type word (top left) and the instructions (bottom left).
    const qreal markSize = card.width() * 0.17;
    const qreal markInset = card.width() * 0.07;
    const QRectF top(card.right() - markInset - markSize, card.top() + markInset, markSize, markSize);
    const QRectF bottom(card.right() - markInset - markSize, card.bottom() - markInset - markSize, markSize,
                        markSize);
    const QColor markOutline = WithAlpha(colours.border, 160);
    const qreal markLine = std::max(0.4, card.width() * 0.008);
    PaintShapeSilhouette(painter, MapUnitPath(ColourShapePath(letter), top), colours.ink, markOutline, markLine);
    painter.save();
    painter.translate(bottom.center());
    painter.rotate(180);
    painter.translate(-bottom.center());
    PaintShapeSilhouette(painter, MapUnitPath(ColourShapePath(letter), bottom), colours.ink, markOutline,
                         markLine);
    painter.restore();

    painter.restore();
}

void CardArt::PaintColourShape(QPainter& painter, const QRectF& target, char colourLetter)
{
    if (target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const Palette colours = PaletteOf(PictureOfLetter(colourLetter));
    const QRectF square = CentredSquare(target);
    const qreal line = std::max(0.75, square.width() * 0.05);
    const QRectF inner = square.adjusted(line / 2, line / 2, -line / 2, -line / 2);
    const QPainterPath shape = MapUnitPath(ColourShapePath(colourLetter), inner);
    const bool light = PictureOfLetter(colourLetter) == CardPicture::Yellow;

    QLinearGradient fill(inner.topLeft(), inner.bottomLeft());
    fill.setColorAt(0.0, light ? QColor(255, 232, 110) : colours.light);
    fill.setColorAt(1.0, light ? QColor(250, 176, 30) : colours.dark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(shape);

    // A small highlight, clipped to the shape.
    painter.save();
    painter.setClipPath(shape, Qt::IntersectClip);
    QRadialGradient gloss(inner.left() + inner.width() * 0.35, inner.top() + inner.height() * 0.3,
                          inner.width() * 0.35);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 120));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(gloss);
    painter.drawRect(inner);
    painter.restore();

    const QColor outline = light ? QColor(150, 60, 0) : colours.border;
    const QPainterPath detail = ShapeDetailPath(colourLetter);
    if (!detail.isEmpty()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(WithAlpha(outline, 120), line * 0.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(MapUnitPath(detail, inner));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(outline, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(shape);
    painter.restore();
}

void CardArt::PaintCardBack(QPainter& painter, const QRectF& target)
{
    if (target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal w = target.width();
    const qreal borderWidth = std::max(0.75, w * 0.014);
    const QRectF card = target.adjusted(borderWidth / 2, borderWidth / 2, -borderWidth / 2, -borderWidth / 2);
    const qreal radius = CardRadius(card);

    // White card with a thin grey edge.
    painter.setPen(QPen(QColor(96, 100, 120), borderWidth));
    painter.setBrush(QColor(255, 253, 246));
    painter.drawRoundedRect(card, radius, radius);

    // Deep night-blue field, lighter in the middle.
    const qreal margin = w * 0.075;
    const QRectF field = card.adjusted(margin, margin, -margin, -margin);
    const qreal fieldRadius = radius * 0.6;
    QPainterPath fieldPath;
    fieldPath.addRoundedRect(field, fieldRadius, fieldRadius);
    QRadialGradient night(field.center(), std::hypot(field.width(), field.height()) / 2);
    night.setColorAt(0.0, QColor(52, 74, 160));
    night.setColorAt(1.0, QColor(20, 28, 74));
    painter.setPen(Qt::NoPen);
    painter.setBrush(night);
    painter.drawPath(fieldPath);

    painter.save();
    painter.setClipPath(fieldPath, Qt::IntersectClip);
    const QPointF c = field.center();

    // Light rays from the middle.
    const qreal reach = std::hypot(field.width(), field.height());
    constexpr int kRays = 24;
    for (int i = 0; i < kRays; i += 2) {
        const qreal a0 = qDegreesToRadians(360.0 * i / kRays);
        const qreal a1 = qDegreesToRadians(360.0 * (i + 1) / kRays);
        QPainterPath ray;
        ray.moveTo(c);
        ray.lineTo(c + QPointF(std::cos(a0), std::sin(a0)) * reach);
        ray.lineTo(c + QPointF(std::cos(a1), std::sin(a1)) * reach);
        ray.closeSubpath();
        painter.setBrush(QColor(255, 214, 110, 22));
        painter.drawPath(ray);
    }

    // A diagonal lattice, centred so it is the same turned over.
    const qreal step = w * 0.11;
    painter.setPen(QPen(QColor(255, 255, 255, 34), std::max(0.4, w * 0.008)));
    const int lines = int(std::ceil(reach / step)) + 1;
    for (int k = -lines; k <= lines; ++k) {
        const qreal off = k * step;
        painter.drawLine(QPointF(c.x() + off - reach, c.y() - reach), QPointF(c.x() + off + reach, c.y() + reach));
        painter.drawLine(QPointF(c.x() + off + reach, c.y() - reach), QPointF(c.x() + off - reach, c.y() + reach));
    }
    painter.restore();

    // Gold rims of the field.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(232, 184, 72), std::max(0.5, w * 0.018)));
    painter.drawPath(fieldPath);
    const qreal rimInset = w * 0.045;
    painter.setPen(QPen(QColor(232, 184, 72, 150), std::max(0.4, w * 0.008)));
    painter.drawRoundedRect(field.adjusted(rimInset, rimInset, -rimInset, -rimInset), fieldRadius * 0.6,
                            fieldRadius * 0.6);

    // The four colour shapes, one in each corner of the field.
    const qreal shapeSize = w * 0.15;
    const qreal shapeInset = w * 0.075;
    const std::array<std::pair<char, QPointF>, 4> corners{{
        {'B', QPointF(field.left() + shapeInset, field.top() + shapeInset)},
        {'G', QPointF(field.right() - shapeInset - shapeSize, field.top() + shapeInset)},
        {'P', QPointF(field.left() + shapeInset, field.bottom() - shapeInset - shapeSize)},
        {'R', QPointF(field.right() - shapeInset - shapeSize, field.bottom() - shapeInset - shapeSize)},
    }};
    for (const auto& [letter, at] : corners)
        PaintColourShape(painter, QRectF(at, QSizeF(shapeSize, shapeSize)), letter);

    // The medallion with the name.
    const QRectF medal(c.x() - field.width() * 0.4, c.y() - field.height() * 0.2, field.width() * 0.8,
                       field.height() * 0.4);
    QRadialGradient gold(medal.center() - QPointF(0, medal.height() * 0.15), medal.width() * 0.6);
    gold.setColorAt(0.0, QColor(255, 246, 200));
    gold.setColorAt(0.7, QColor(255, 218, 110));
    gold.setColorAt(1.0, QColor(238, 176, 52));
    painter.setBrush(gold);
    painter.setPen(QPen(QColor(150, 92, 10), std::max(0.6, w * 0.016)));
    painter.drawEllipse(medal);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 170), std::max(0.4, w * 0.008)));
    const qreal ring = w * 0.03;
    painter.drawEllipse(medal.adjusted(ring, ring, -ring, -ring));

    QPainterPath word;
    word.addText(0, 0, VemoCasualFont(48, true), QStringLiteral("VEMO"));
    const QRectF wordBox = word.boundingRect();
    const qreal scale = std::min(medal.width() * 0.72 / wordBox.width(), medal.height() * 0.46 / wordBox.height());
    QTransform place;
    place.translate(medal.center().x(), medal.center().y());
    place.scale(scale, scale);
    place.translate(-wordBox.center().x(), -wordBox.center().y());
    const QPainterPath placed = place.map(word);
    painter.setPen(QPen(QColor(255, 255, 255, 200), std::max(0.6, w * 0.025), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(placed);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(26, 36, 96));
    painter.drawPath(placed);

    painter.restore();
}

void CardArt::PaintDeck(QPainter& painter, const QRectF& target)
{
    if (target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The cards take the deck's size less the thickness, which shows below
    // and to the right.
    const qreal thicknessX = target.width() * (1.0 - qreal(kCardSize.width()) / kDeckSize.width());
    const qreal thicknessY = target.height() * (1.0 - qreal(kCardSize.height()) / kDeckSize.height());
    const QRectF top(target.topLeft(), QSizeF(target.width() - thicknessX, target.height() - thicknessY));
    const qreal radius = CardRadius(top);
    constexpr int kLayers = 4;
    const qreal line = std::max(0.5, target.width() * 0.01);
    for (int k = kLayers; k >= 1; --k) {
        const QRectF layer = top.translated(thicknessX * k / kLayers, thicknessY * k / kLayers)
                                 .adjusted(line / 2, line / 2, -line / 2, -line / 2);
        painter.setBrush(k == kLayers ? QColor(214, 210, 200) : QColor(246, 243, 234));
        painter.setPen(QPen(QColor(110, 110, 126), line));
        painter.drawRoundedRect(layer, radius, radius);
    }
    PaintCardBack(painter, top);
    painter.restore();
}

void CardArt::PaintDiscardSlot(QPainter& painter, const QRectF& target)
{
    if (target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal line = std::max(1.0, target.width() * 0.025);
    const QRectF slot = target.adjusted(line, line, -line, -line);
    const qreal radius = CardRadius(slot);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 34));
    painter.drawRoundedRect(slot, radius, radius);

    // Dark under light, so the dashes show on dark and light tables alike.
    QPen under(QColor(0, 0, 0, 90), line * 1.8, Qt::CustomDashLine, Qt::RoundCap);
    under.setDashPattern({3.0, 2.2});
    painter.setBrush(Qt::NoBrush);
    painter.setPen(under);
    painter.drawRoundedRect(slot, radius, radius);
    QPen over(QColor(255, 255, 255, 210), line, Qt::CustomDashLine, Qt::RoundCap);
    over.setDashPattern({5.4, 4.0});
    painter.setPen(over);
    painter.drawRoundedRect(slot, radius, radius);

    // The four shapes, faint, in the middle.
    const qreal size = slot.width() * 0.2;
    const QPointF c = slot.center();
    const std::array<std::pair<char, QPointF>, 4> places{{
        {'B', c + QPointF(-size * 0.62, -size * 0.62)},
        {'G', c + QPointF(size * 0.62, -size * 0.62)},
        {'P', c + QPointF(-size * 0.62, size * 0.62)},
        {'R', c + QPointF(size * 0.62, size * 0.62)},
    }};
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 70));
    for (const auto& [letter, at] : places)
        painter.drawPath(MapUnitPath(ColourShapePath(letter),
                                     QRectF(at.x() - size / 2, at.y() - size / 2, size, size)));
    painter.restore();
}

void CardArt::PaintDiscardStack(QPainter& painter, const QRectF& target)
{
    if (target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    struct Layer {
        qreal angle;
        CardPicture picture;
    };
    constexpr std::array<Layer, 4> kLayers{{
        {-6.0, CardPicture::Green},
        {4.5, CardPicture::Red},
        {-2.5, CardPicture::Yellow},
        {1.5, CardPicture::Blue},
    }};
    // Shrink the cards until the most turned one still fits the target.
    constexpr qreal kMaxAngle = 6.0;
    const QRectF fitted = FitCard(target);
    const qreal cosA = std::cos(qDegreesToRadians(kMaxAngle));
    const qreal sinA = std::sin(qDegreesToRadians(kMaxAngle));
    const qreal scale = std::min(target.width() / (fitted.width() * cosA + fitted.height() * sinA),
                                 target.height() / (fitted.width() * sinA + fitted.height() * cosA));
    const QSizeF size(fitted.width() * std::min(1.0, scale) * 0.97, fitted.height() * std::min(1.0, scale) * 0.97);
    const QRectF card(target.center().x() - size.width() / 2, target.center().y() - size.height() / 2,
                      size.width(), size.height());
    const qreal radius = CardRadius(card);
    const qreal border = std::max(0.75, card.width() * 0.016);
    for (const Layer& layer : kLayers) {
        painter.save();
        painter.translate(card.center());
        painter.rotate(layer.angle);
        painter.translate(-card.center());
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 40));
        painter.drawRoundedRect(card.translated(border * 0.6, border * 0.9), radius, radius);
        PaintCardPicture(painter, card, layer.picture);
        painter.restore();
    }
    painter.restore();
}

QPixmap CardArt::Render(QSize logicalSize, qreal devicePixelRatio,
                        const std::function<void(QPainter&, const QRectF&)>& paint)
{
    if (devicePixelRatio <= 0) devicePixelRatio = 1.0;
    const QSize pixels(std::max(1, qRound(logicalSize.width() * devicePixelRatio)),
                       std::max(1, qRound(logicalSize.height() * devicePixelRatio)));
    QPixmap pixmap(pixels);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    paint(painter, QRectF(0, 0, pixels.width() / devicePixelRatio, pixels.height() / devicePixelRatio));
    return pixmap;
}

QPixmap CardArt::RenderCardPicture(CardPicture picture, QSize logicalSize, qreal devicePixelRatio)
{
    return Render(logicalSize, devicePixelRatio,
                  [picture](QPainter& p, const QRectF& r) { PaintCardPicture(p, r, picture); });
}

QPixmap CardArt::RenderColourShape(char colourLetter, QSize logicalSize, qreal devicePixelRatio)
{
    return Render(logicalSize, devicePixelRatio,
                  [colourLetter](QPainter& p, const QRectF& r) { PaintColourShape(p, r, colourLetter); });
}

QPixmap CardArt::RenderCardBack(QSize logicalSize, qreal devicePixelRatio)
{
    return Render(logicalSize, devicePixelRatio, [](QPainter& p, const QRectF& r) { PaintCardBack(p, r); });
}

QPixmap CardArt::RenderDeck(QSize logicalSize, qreal devicePixelRatio)
{
    return Render(logicalSize, devicePixelRatio, [](QPainter& p, const QRectF& r) { PaintDeck(p, r); });
}

QPixmap CardArt::RenderDiscardSlot(QSize logicalSize, qreal devicePixelRatio)
{
    return Render(logicalSize, devicePixelRatio, [](QPainter& p, const QRectF& r) { PaintDiscardSlot(p, r); });
}

QPixmap CardArt::RenderDiscardStack(QSize logicalSize, qreal devicePixelRatio)
{
    return Render(logicalSize, devicePixelRatio, [](QPainter& p, const QRectF& r) { PaintDiscardStack(p, r); });
}

void CardArt::PaintTitleBanner(QPainter& p, const QRectF& r, const QString& title)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, QColor(64, 40, 140));
    fill.setColorAt(1.0, QColor(30, 70, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r, 8, 8);

    // A fixed scatter of sparkles, the same on every redraw.
    p.setBrush(QColor(255, 255, 255, 70));
    for (int i = 0; i < 22; ++i) {
        const qreal x = r.left() + std::fmod(i * 61.8, 1.0 * r.width());
        const qreal y = r.top() + 6 + std::fmod(i * 23.7, r.height() - 12);
        p.drawEllipse(QPointF(x, y), 1.1 + (i % 3) * 0.4, 1.1 + (i % 3) * 0.4);
    }

    p.setFont(VemoCasualFont(18, true));
    const qreal textWidth = p.fontMetrics().horizontalAdvance(title);
    const QRectF textRect(r.center().x() - textWidth / 2, r.top(), textWidth, r.height());
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(textRect.translated(1.5, 1.5), Qt::AlignCenter, title);
    p.setPen(QColor(255, 216, 72));
    p.drawText(textRect, Qt::AlignCenter, title);

    const qreal side = r.height() * 0.37;
    const qreal y = r.center().y() - side / 2;
    const char left[] = {'B', 'G'};
    const char right[] = {'P', 'R'};
    for (int k = 0; k < 2; ++k) {
        PaintColourShape(p, QRectF(textRect.left() - 14 - (2 - k) * (side + 4), y, side, side), left[k]);
        PaintColourShape(p, QRectF(textRect.right() + 14 + k * (side + 4), y, side, side), right[k]);
    }
    p.restore();
}

} // namespace vemo
