#pragma once
// The table's card pictures, drawn as vector shapes so they stay sharp at any
// size and on high-DPI screens. Every Paint function draws only inside its
// target rectangle and leaves the painter's state as it found it.
//
// A face-up card is a coloured card with a light panel in the middle: the type
// word sits in the coloured band at the top, the verse (printed in the card's
// own colour) on the light panel, and the instruction lines in the coloured
// band at the bottom. Each colour also carries its own shape, so the colours
// can be told apart without colour vision: blue a drop, green a leaf, purple a
// diamond, red a heart, and the Cards of Light a sun.

#include "CardDescriptions.h"

#include <QColor>
#include <QPainterPath>
#include <QPixmap>
#include <QRectF>
#include <QSize>

#include <functional>

class QPainter;

namespace vemo {

class CardArt {
public:
    // Natural sizes in device-independent pixels.
    static constexpr QSize kCardSize{71, 96};
    static constexpr QSize kDeckSize{77, 102};

    // The coloured background of a face-up card.
    static void PaintCardPicture(QPainter& painter, const QRectF& target, CardPicture picture);
    // The colour's shape alone, filled in the colour with a dark outline; any
    // letter other than B, G, P, R gives the sun of the Cards of Light.
    static void PaintColourShape(QPainter& painter, const QRectF& target, char colourLetter);
    // The back of a card, as the computer players' hands show it.
    static void PaintCardBack(QPainter& painter, const QRectF& target);
    // The deck: a few backs stacked with a visible thickness.
    static void PaintDeck(QPainter& painter, const QRectF& target);
    // The empty discard slot.
    static void PaintDiscardSlot(QPainter& painter, const QRectF& target);
    // The pile beneath the top card of the discard pile.
    static void PaintDiscardStack(QPainter& painter, const QRectF& target);

    // Where the light verse panel of a face-up card lies, for the card face
    // and the discard pile to place their texts.
    static QRectF VersePanelRect(const QRectF& card);
    // The largest card-proportioned rectangle centred in area.
    static QRectF FitCard(const QRectF& area);

    // The colour's shape in a unit square (0..1 on both axes); letters as for
    // PaintColourShape.
    static QPainterPath ColourShapePath(char colourLetter);
    // The main colour of a card picture, for panels and windows that show it.
    static QColor PictureColour(CardPicture picture);
    // The card picture of a colour letter (anything but B, G, P, R is yellow).
    static CardPicture PictureOfLetter(char colourLetter);

    // The banner across the top of the game's own windows: the title in gold
    // between the four colours' shapes, on a sparkled blue band.
    static void PaintTitleBanner(QPainter& painter, const QRectF& target, const QString& title);

    // Pixmaps at a logical size: the pixel size is the logical size times the
    // device pixel ratio, and the pixmap carries that ratio.
    static QPixmap Render(QSize logicalSize, qreal devicePixelRatio,
                          const std::function<void(QPainter&, const QRectF&)>& paint);
    static QPixmap RenderCardPicture(CardPicture picture, QSize logicalSize = kCardSize,
                                     qreal devicePixelRatio = 1.0);
    static QPixmap RenderColourShape(char colourLetter, QSize logicalSize, qreal devicePixelRatio = 1.0);
    static QPixmap RenderCardBack(QSize logicalSize = kCardSize, qreal devicePixelRatio = 1.0);
    static QPixmap RenderDeck(QSize logicalSize = kDeckSize, qreal devicePixelRatio = 1.0);
    static QPixmap RenderDiscardSlot(QSize logicalSize = kCardSize, qreal devicePixelRatio = 1.0);
    static QPixmap RenderDiscardStack(QSize logicalSize = kCardSize, qreal devicePixelRatio = 1.0);
};

} // namespace vemo
