#include "ElidedLabel.h"

#include <QPainter>

#include <algorithm>

namespace vemo {

QSize ElidedLabel::minimumSizeHint() const
{
    const QMargins frame = contentsMargins();
    const int ellipsis = fontMetrics().horizontalAdvance(QChar(0x2026));
    return {frame.left() + frame.right() + 2 * margin() + std::max(indent(), 0) + ellipsis,
            QLabel::minimumSizeHint().height()};
}

QRect ElidedLabel::TextRect() const
{
    QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (indent() > 0) {
        if (alignment() & Qt::AlignRight) area.setRight(area.right() - indent());
        else area.setLeft(area.left() + indent());
    }
    return area;
}

QString ElidedLabel::ShownText() const
{
    return fontMetrics().elidedText(text(), mode_, TextRect().width());
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(TextRect(), static_cast<int>(alignment()), ShownText());
}

} // namespace vemo
