#include "CheeringFigure.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace vemo {

namespace {

constexpr qreal kPi = 3.14159265358979323846;
// The drawing's own units; PaintFrame scales them to the target.
constexpr qreal kUnitWidth = 100;
constexpr qreal kUnitHeight = 120;
constexpr qreal kGroundY = 111;

const QColor kOutline(48, 40, 56);

qreal Fract(qreal x) { return x - std::floor(x); }

// A fixed scatter in 0..1 for piece i, the same on every frame.
qreal Scatter(int i, qreal seed) { return Fract(std::sin(i * 12.9898 + seed * 78.233) * 43758.5453); }

// The middle joint of a limb of two equal segments of `segment` length from
// `root` to `tip`, bent towards `side` (+1 or -1): a small two-bone solver.
QPointF Joint(QPointF root, QPointF tip, qreal segment, qreal side)
{
    const QPointF mid = (root + tip) / 2;
    const QPointF d = tip - root;
    const qreal length = std::hypot(d.x(), d.y());
    if (length < 1e-6 || length >= 2 * segment) return mid;
    const qreal bend = std::sqrt(segment * segment - (length / 2) * (length / 2));
    const QPointF normal(-d.y() / length, d.x() / length);
    return mid + normal * bend * side;
}

void Limb(QPainter& p, QPointF root, QPointF joint, QPointF tip, const QColor& colour, qreal width)
{
    QPainterPath path(root);
    path.lineTo(joint);
    path.lineTo(tip);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, width + 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

QPainterPath StarPath(QPointF centre, qreal outer)
{
    QPainterPath star;
    for (int k = 0; k < 10; ++k) {
        const qreal r = (k % 2 == 0) ? outer : outer * 0.45;
        const qreal a = -kPi / 2 + k * kPi / 5;
        const QPointF point = centre + QPointF(std::cos(a) * r, std::sin(a) * r);
        if (k == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    return star;
}

void PaintConfetti(QPainter& p, qreal t)
{
    static const std::array<QColor, 6> kColours{QColor(232, 64, 72), QColor(255, 196, 30), QColor(50, 120, 220),
                                                QColor(40, 170, 90), QColor(150, 80, 200), QColor(255, 128, 40)};
    constexpr int kPieces = 24;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < kPieces; ++i) {
        const qreal x = 4 + Scatter(i, 1) * (kUnitWidth - 8) + 3 * std::sin(2 * kPi * (t + i * 0.17));
        // Each piece falls one full height per loop, so the loop has no seam.
        const qreal y = Fract(Scatter(i, 2) + t) * (kUnitHeight + 10) - 8;
        const qreal spin = i * 37.0 + t * 360.0 * ((i % 2) ? 1 : -1);
        const qreal flutter = std::cos(2 * kPi * (t * ((i % 3) + 1) + i * 0.13));
        p.save();
        p.translate(x, y);
        p.rotate(spin);
        p.scale(std::max(0.15, std::abs(flutter)), 1.0);
        p.setBrush(kColours[static_cast<std::size_t>(i) % kColours.size()]);
        if (i % 4 == 3)
            p.drawEllipse(QPointF(0, 0), 2.2, 2.2);
        else
            p.drawRect(QRectF(-2.8, -1.5, 5.6, 3.0));
        p.restore();
    }
}

void PaintFigure(QPainter& p, qreal t)
{
    // One hop per loop: crouched on the ground at t = 0, highest at t = 0.5.
    const qreal lift = std::sin(kPi * t);
    const qreal crouch = std::pow(std::max(0.0, std::cos(2 * kPi * t)), 3.0);
    const qreal hipY = 82 - 17 * lift + 5 * crouch;
    const qreal cx = kUnitWidth / 2;

    // The shadow shrinks while the figure is up.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, qRound(60 - 30 * lift)));
    const qreal shadow = 17 - 7 * lift;
    p.drawEllipse(QPointF(cx, kGroundY + 1), shadow, shadow * 0.22);

    const qreal shoulderY = hipY - 26 + 1.5 * crouch;
    const QPointF hipL(cx - 5, hipY), hipR(cx + 5, hipY);
    // Feet on the ground while crouched, tucked up a little in the air.
    const qreal footY = std::min(kGroundY - 2, hipY + 26 - 4 * lift);
    const QPointF footL(cx - 9 - 2 * lift, footY), footR(cx + 9 + 2 * lift, footY);
    const qreal legSegment = 14;
    const QColor trousers(52, 84, 168);
    Limb(p, hipL, Joint(hipL, footL, legSegment, 1), footL, trousers, 5.5);
    Limb(p, hipR, Joint(hipR, footR, legSegment, -1), footR, trousers, 5.5);
    // Shoes.
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(QColor(230, 70, 60));
    p.drawEllipse(QRectF(footL.x() - 6.5, footL.y() - 2, 8, 4.5));
    p.drawEllipse(QRectF(footR.x() - 1.5, footR.y() - 2, 8, 4.5));

    // Arms up, waving in turn.
    const QPointF shoulderL(cx - 8, shoulderY + 2), shoulderR(cx + 8, shoulderY + 2);
    const qreal waveL = (-32 + 14 * std::sin(2 * kPi * t)) * kPi / 180;
    const qreal waveR = (32 + 14 * std::sin(2 * kPi * t + kPi * 0.6)) * kPi / 180;
    const qreal reach = 22 + 2 * lift;
    const QPointF handL = shoulderL + QPointF(std::sin(waveL) * reach, -std::cos(waveL) * reach);
    const QPointF handR = shoulderR + QPointF(std::sin(waveR) * reach, -std::cos(waveR) * reach);
    const QColor skin(255, 206, 160);
    const QColor shirt(236, 84, 70);
    Limb(p, shoulderL, Joint(shoulderL, handL, 12, 1), handL, shirt, 4.5);
    Limb(p, shoulderR, Joint(shoulderR, handR, 12, -1), handR, shirt, 4.5);
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(skin);
    p.drawEllipse(handL, 3.4, 3.4);
    p.drawEllipse(handR, 3.4, 3.4);

    // Body: a rounded shirt with a star on it.
    QPainterPath body;
    body.moveTo(cx - 9, shoulderY);
    body.quadTo(cx, shoulderY - 3, cx + 9, shoulderY);
    body.quadTo(cx + 11, hipY - 8, cx + 8, hipY + 2);
    body.quadTo(cx, hipY + 4, cx - 8, hipY + 2);
    body.quadTo(cx - 11, hipY - 8, cx - 9, shoulderY);
    p.setPen(QPen(kOutline, 1.4));
    p.setBrush(shirt);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 222, 90));
    p.drawPath(StarPath(QPointF(cx, (shoulderY + hipY) / 2), 5.2));

    // Head, tilted a little with the hop.
    const QPointF head(cx, shoulderY - 13);
    p.save();
    p.translate(head);
    p.rotate(6 * std::sin(2 * kPi * t));
    p.setPen(QPen(kOutline, 1.4));
    p.setBrush(skin);
    p.drawEllipse(QPointF(0, 0), 12, 12);
    // A tuft of hair.
    QPainterPath hair;
    hair.moveTo(-9, -7);
    hair.quadTo(-6, -16, 0, -13);
    hair.quadTo(4, -18, 6, -11);
    hair.quadTo(11, -12, 9, -6);
    hair.quadTo(0, -10, -9, -7);
    p.setBrush(QColor(120, 72, 36));
    p.drawPath(hair);
    // Happy closed eyes.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(-7.5, -3.5, 5, 4), 0, 180 * 16);
    p.drawArc(QRectF(2.5, -3.5, 5, 4), 0, 180 * 16);
    // Rosy cheeks.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 120, 120, 110));
    p.drawEllipse(QPointF(-7.5, 3), 2.4, 1.6);
    p.drawEllipse(QPointF(7.5, 3), 2.4, 1.6);
    // A wide open smile.
    QPainterPath mouth;
    mouth.moveTo(-5, 2.5);
    mouth.quadTo(0, 3.5, 5, 2.5);
    mouth.quadTo(0, 11, -5, 2.5);
    p.setPen(QPen(kOutline, 1.1));
    p.setBrush(QColor(150, 30, 40));
    p.drawPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 120, 120));
    p.drawEllipse(QPointF(0, 6.3), 2.3, 1.3);
    p.restore();

    // Twinkling stars around the head.
    struct Twinkle {
        QPointF at;
        qreal size;
        qreal phase;
    };
    const std::array<Twinkle, 3> twinkles{{{{cx - 30, 26}, 5, 0.0}, {{cx + 31, 20}, 6, 0.35}, {{cx + 24, 52}, 4, 0.7}}};
    for (const Twinkle& star : twinkles) {
        const qreal scale = 0.55 + 0.45 * std::sin(2 * kPi * (t + star.phase));
        p.setPen(QPen(QColor(200, 130, 0), 0.8));
        p.setBrush(QColor(255, 214, 40));
        p.drawPath(StarPath(star.at, star.size * scale));
    }
}

} // namespace

CheeringFigure::CheeringFigure(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("aniGIF"));
    timer_.setInterval(kFrameMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &CheeringFigure::AdvanceFrame);
}

void CheeringFigure::AdvanceFrame()
{
    frame_ = (frame_ + 1) % kFrameCount;
    update();
}

void CheeringFigure::PaintFrame(QPainter& painter, const QRectF& target, int frame)
{
    if (target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(target);

    // A soft round glow behind the figure.
    QRadialGradient glow(target.center(), std::min(target.width(), target.height()) * 0.62);
    glow.setColorAt(0.0, QColor(255, 249, 214));
    glow.setColorAt(0.6, QColor(255, 236, 170, 220));
    glow.setColorAt(1.0, QColor(255, 236, 170, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawRoundedRect(target, 10, 10);

    const qreal scale = std::min(target.width() / kUnitWidth, target.height() / kUnitHeight);
    painter.translate(target.center().x() - kUnitWidth * scale / 2, target.center().y() - kUnitHeight * scale / 2);
    painter.scale(scale, scale);
    const qreal t = qreal(((frame % kFrameCount) + kFrameCount) % kFrameCount) / kFrameCount;
    PaintConfetti(painter, t);
    PaintFigure(painter, t);
    painter.restore();
}

void CheeringFigure::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintFrame(painter, QRectF(rect()), frame_);
}

void CheeringFigure::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    timer_.start();
}

void CheeringFigure::hideEvent(QHideEvent* event)
{
    timer_.stop();
    QWidget::hideEvent(event);
}

} // namespace vemo
