#include "ScoreChart.h"

#include "CardArt.h"
#include "VemoFonts.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace vemo {

namespace {

// Each seat borrows a card colour, its shape and its ink for its line and markers.
constexpr std::array<char, 4> kColourLetters{'B', 'G', 'P', 'R'};
constexpr std::array<Qt::PenStyle, 4> kDashes{Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};

} // namespace

ScoreChart::ScoreChart(QWidget* parent, ScoreChartData data) : QWidget(parent), data_(std::move(data))
{
    setObjectName(QStringLiteral("scoreChart"));
    setMinimumSize(sizeHint());
    QString description = QStringLiteral("Totals after each hand.");
    for (std::size_t seat = 0; seat < 4; ++seat) {
        QStringList points;
        for (const auto& totals : data_.Totals) points << QString::number(totals[seat]);
        description += QStringLiteral(" %1: %2.").arg(data_.Names[seat], points.join(QStringLiteral(", ")));
    }
    setAccessibleName(QStringLiteral("Score chart"));
    setAccessibleDescription(description);
    setFocusPolicy(Qt::TabFocus); // Tab reaches it, and a screen reader reads the totals
}

std::int32_t ScoreChart::ScaleTop(const ScoreChartData& data)
{
    std::int32_t top = std::max<std::int32_t>(data.Limit, 10);
    for (const auto& totals : data.Totals)
        for (std::int32_t total : totals) top = std::max(top, total);
    // Four gridlines with round values.
    for (std::int32_t quarter : {5, 10, 15, 20, 25, 40, 50, 75, 100, 125, 150, 250, 500, 1000, 2500})
        if (4 * quarter >= top) return 4 * quarter;
    return top;
}

std::vector<QPointF> ScoreChart::SeriesPoints(const ScoreChartData& data, int index, const QRectF& plot)
{
    std::vector<QPointF> points;
    const auto count = data.Totals.size();
    if (count == 0 || index < 0 || index > 3) return points;
    const double top = ScaleTop(data);
    const double stepX = count > 1 ? plot.width() / double(count - 1) : 0.0;
    for (std::size_t hand = 0; hand < count; ++hand) {
        const auto& totals = data.Totals[hand];
        const double total = totals[static_cast<std::size_t>(index)];
        const double x = count > 1 ? plot.left() + stepX * double(hand) : plot.center().x();
        // Equal totals would hide one marker under another: each player with
        // the same total as a player before it stands a little higher.
        const auto same = std::count(totals.begin(), totals.begin() + index, totals[static_cast<std::size_t>(index)]);
        points.emplace_back(x, plot.bottom() - plot.height() * std::clamp(total / top, 0.0, 1.0) -
                                   kCoincidentOffset * double(same));
    }
    return points;
}

QRectF ScoreChart::PlotArea() const
{
    // Room on the left for the scale, below for the hand numbers, on the right for the names.
    return QRectF(rect()).adjusted(34, 10, -96, -24);
}

void ScoreChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(rect(), QColor(255, 250, 240));
    const QRectF plot = PlotArea();
    const std::int32_t top = ScaleTop(data_);
    p.setFont(VemoCasualFont(8, false));

    // Scale: four gridlines with their values.
    for (int k = 0; k <= 4; ++k) {
        const double y = plot.bottom() - plot.height() * k / 4.0;
        p.setPen(QPen(QColor(220, 214, 200), 1.0));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(QColor(90, 90, 110));
        p.drawText(QRectF(0, y - 8, plot.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(top * k / 4));
    }
    if (data_.Limit > 0 && data_.Limit <= top) {
        const double y = plot.bottom() - plot.height() * data_.Limit / double(top);
        p.setPen(QPen(QColor(200, 80, 40), 1.2, Qt::DashLine));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.drawText(QRectF(plot.left() + 4, y - 15, 60, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("limit"));
    }
    // Hand numbers along the bottom.
    const auto hands = data_.Totals.size();
    p.setPen(QColor(90, 90, 110));
    for (std::size_t hand = 0; hand < hands; ++hand) {
        const QPointF at = SeriesPoints(data_, 0, plot)[hand];
        p.drawText(QRectF(at.x() - 12, plot.bottom() + 4, 24, 16), Qt::AlignCenter, QString::number(hand + 1));
    }

    for (int seat = 0; seat < 4; ++seat) {
        const auto points = SeriesPoints(data_, seat, plot);
        const QColor colour =
            CardArt::PictureColour(CardArt::PictureOfLetter(kColourLetters[static_cast<std::size_t>(seat)]));
        p.setPen(QPen(colour, 2.0, kDashes[static_cast<std::size_t>(seat)], Qt::RoundCap, Qt::RoundJoin));
        for (std::size_t k = 1; k < points.size(); ++k) p.drawLine(points[k - 1], points[k]);
        for (const QPointF& point : points)
            CardArt::PaintColourShape(p, QRectF(point - QPointF(6, 6), QSizeF(12, 12)),
                                      kColourLetters[static_cast<std::size_t>(seat)]);
        // The name at the line's end, with its marker.
        const double y = plot.top() + 8 + seat * 22;
        CardArt::PaintColourShape(p, QRectF(plot.right() + 10, y - 6, 12, 12),
                                  kColourLetters[static_cast<std::size_t>(seat)]);
        p.setPen(colour);
        const QString label = QStringLiteral("%1 %2").arg(
            data_.Names[static_cast<std::size_t>(seat)],
            data_.Totals.empty() ? QString() : QString::number(data_.Totals.back()[static_cast<std::size_t>(seat)]));
        p.drawText(QRectF(plot.right() + 26, y - 9, width() - plot.right() - 28, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(label, Qt::ElideRight, int(width() - plot.right() - 28)));
    }
}

} // namespace vemo
