#pragma once
// The speech balloon in which a player is seen calling "VEMO!". The window's
// shape is the balloon outline itself; the body can be dragged about.

#include <QPoint>
#include <QPolygon>
#include <QString>
#include <QWidget>

#include <functional>

class QLabel;

namespace vemo {

class frmCallout : public QWidget {
    Q_OBJECT

public:
    static constexpr int kOutlinePoints = 40;

    // scale: the table's, which the balloon grows with.
    explicit frmCallout(QWidget* table, double scale = 1.0);
    ~frmCallout() override;

    // The 40 outline points in window pixels: each coordinate times its scale
    // plus its offset, rounded to whole pixels. Points 22 to 27 are the tail,
    // pointing down and to the left.
    static QPolygon BalloonOutline(double scaleX = 1.0, double scaleY = 1.0, int offsetX = 0, int offsetY = 0);

    QLabel* lblText() const { return lblText_; }
    void SetText(const QString& text);

signals:
    void TextChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* lblText_ = nullptr;
    double scale_;
};

// Shows the balloon with its top-left corner at `globalTopLeft` and spells out
// the call: "V", "VE", "VEM", "VEMO" for 100 ms each, then "VEMO!" for 500 ms,
// every pause multiplied by `timeScale`. Then the balloon is destroyed and
// `done` runs. Returns at once; the balloon is owned by `table` meanwhile.
frmCallout* ShowVemoCallout(QWidget* table, QPoint globalTopLeft, double timeScale, std::function<void()> done,
                            double scale = 1.0);

} // namespace vemo
