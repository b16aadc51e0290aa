#pragma once
// The results window's chart: every player's total after each hand of the
// game, one line per player. Each line has its own colour, marker shape and
// dash, so the lines can be told apart without colour vision.

#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

namespace vemo {

struct ScoreChartData {
    std::array<QString, 4> Names;                  // seats 1..4 in index 0..3
    std::vector<std::array<std::int32_t, 4>> Totals; // after each hand, oldest first
    std::int32_t Limit = 0;                        // drawn as a dashed line when > 0
};

class ScoreChart : public QWidget {
    Q_OBJECT
public:
    // How far apart, in pixels, markers of equal totals are drawn.
    static constexpr double kCoincidentOffset = 5.0;

    ScoreChart(QWidget* parent, ScoreChartData data);

    const ScoreChartData& Data() const { return data_; }
    // Where a player's points are drawn inside plot (the chart's plotting area).
    static std::vector<QPointF> SeriesPoints(const ScoreChartData& data, int index, const QRectF& plot);
    // The top of the vertical scale: the limit or the highest total, rounded up to a tidy step.
    static std::int32_t ScaleTop(const ScoreChartData& data);

    QSize sizeHint() const override { return {380, 210}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF PlotArea() const;

    ScoreChartData data_;
};

} // namespace vemo
