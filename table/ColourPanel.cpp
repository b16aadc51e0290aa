#include "ColourPanel.h"

#include "CardArt.h"
#include "CardText.h"

#include <QPainter>

namespace vemo {

namespace {
constexpr int kGap = 4;
} // namespace

ColourPanel::ColourPanel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    // Room for the shape at the left: a square as tall as the text.
    setIndent(fontMetrics().height() + 2 * kGap);
}

char ColourPanel::ShapeLetter() const
{
    // The panel shows ColorName's words; read them back the same way.
    for (const char letter : {'B', 'G', 'P', 'R'})
        if (text() == QLatin1String(ColorName(letter).data(), static_cast<qsizetype>(ColorName(letter).size())))
            return letter;
    return 0;
}

QRect ColourPanel::ShapeRect() const
{
    const QRect inside = contentsRect();
    const int side = std::min(fontMetrics().height(), inside.height() - 2);
    return {inside.left() + kGap, inside.top() + (inside.height() - side) / 2, side, side};
}

void ColourPanel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    const char letter = ShapeLetter();
    if (!letter) return;
    QPainter painter(this);
    CardArt::PaintColourShape(painter, ShapeRect(), letter);
}

} // namespace vemo
