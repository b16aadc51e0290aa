#pragma once
// CheeringFigure: the hand winner's animation, a cartoon figure jumping for
// joy with its arms up under falling confetti. Drawn as vector shapes, so it
// fits any size; the frames loop on a timer while the widget is shown.

#include <QTimer>
#include <QWidget>

namespace vemo {

class CheeringFigure : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFrameCount = 10;
    static constexpr int kFrameMilliseconds = 100;

    explicit CheeringFigure(QWidget* parent = nullptr);

    int CurrentFrame() const { return frame_; }
    bool IsAnimating() const { return timer_.isActive(); }

    // Draws one frame (0..kFrameCount-1) into target.
    static void PaintFrame(QPainter& painter, const QRectF& target, int frame);

    QSize sizeHint() const override { return {150, 170}; }

public slots:
    void AdvanceFrame();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer timer_;
    int frame_ = 0;
};

} // namespace vemo
