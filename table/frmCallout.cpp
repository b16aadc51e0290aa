#include "frmCallout.h"

#include "VemoFonts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWindow>

#include <array>
#include <cmath>
#include <memory>
#include <utility>

namespace vemo {

namespace {

struct OutlinePoint {
    int x;
    int y;
};

// The balloon outline in pixels from the window's top-left corner.
constexpr std::array<OutlinePoint, frmCallout::kOutlinePoints> kOutline{{
    {32, 4},  {45, 4},  {46, 5},  {53, 5},  {54, 6},  {56, 6},  {57, 7},  {60, 8},  {63, 9},  {66, 10},
    {71, 15}, {72, 18}, {73, 21}, {71, 26}, {66, 31}, {59, 34}, {54, 36}, {51, 37}, {38, 38}, {31, 38},
    {30, 37}, {25, 37}, {24, 38}, {11, 44}, {10, 45}, {9, 44},  {10, 43}, {14, 34}, {14, 33}, {13, 32},
    {12, 32}, {6, 26},  {4, 21},  {5, 18},  {6, 15},  {11, 10}, {14, 9},  {17, 8},  {22, 6},  {25, 5},
}};

// The window just holds the outline with a few pixels to spare.
constexpr int kBalloonWidth = 78;
constexpr int kBalloonHeight = 48;

// Where the words go: the upper body, clear of the tail and the curved ends.
const QRect kTextArea(10, 8, 58, 26);
const QString kFullCall = QStringLiteral("VEMO!");

const QColor kOutlineColour(40, 40, 56);
const QColor kFillColour(255, 255, 255);
const QColor kTextColour(176, 30, 24);

// The text area grown with the table.
QRect TextArea(double scale)
{
    return {QPoint(kTextArea.topLeft() * scale), QSize(kTextArea.size() * scale)};
}

// The largest bold casual font in which the whole call fits the text area.
QFont CallFont(double scale)
{
    const QRect area = TextArea(scale);
    QFont font = VemoCasualFont(14, true);
    for (int size = 14; size > 6; --size) {
        font.setPointSizeF(size * scale);
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(kFullCall) <= area.width() && metrics.height() <= area.height())
            break;
    }
    return font;
}

struct CallStep {
    const char* text;
    int milliseconds;
};

constexpr std::array<CallStep, 5> kCallSteps{{
    {"V", 100}, {"VE", 100}, {"VEM", 100}, {"VEMO", 100}, {"VEMO!", 500},
}};

struct CallAnimation {
    QPointer<frmCallout> balloon;
    QPointer<QObject> context;
    double timeScale = 1.0;
    std::function<void()> done;
};

void RunCallStep(const std::shared_ptr<CallAnimation>& animation, std::size_t step)
{
    if (animation->context.isNull())
        return;
    if (step == kCallSteps.size()) {
        delete animation->balloon.data();
        if (animation->done)
            animation->done();
        return;
    }
    if (!animation->balloon.isNull())
        animation->balloon->SetText(QString::fromLatin1(kCallSteps[step].text));
    const int pause = std::max(0, static_cast<int>(std::lround(kCallSteps[step].milliseconds * animation->timeScale)));
    QTimer::singleShot(pause, animation->context.data(), [animation, step] { RunCallStep(animation, step + 1); });
}

} // namespace

frmCallout::frmCallout(QWidget* table, double scale)
    : QWidget(table, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), scale_(scale)
{
    setObjectName(QStringLiteral("frmCallout"));
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    setFixedSize(QSize(kBalloonWidth, kBalloonHeight) * scale);
    setMask(QRegion(BalloonOutline(scale, scale), Qt::OddEvenFill));

    // The words start where the full call, centred, would start, so the
    // letters appear in place one by one instead of sliding along.
    const QFont font = CallFont(scale);
    const QRect area = TextArea(scale);
    const int fullWidth = QFontMetrics(font).horizontalAdvance(kFullCall);
    lblText_ = new QLabel(this);
    lblText_->setObjectName(QStringLiteral("lblText"));
    lblText_->setFont(font);
    lblText_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblText_->setGeometry(area.adjusted(std::max(0, (area.width() - fullWidth) / 2), 0, 0, 0));
    lblText_->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    QPalette palette = lblText_->palette();
    palette.setColor(QPalette::WindowText, kTextColour);
    lblText_->setPalette(palette);
}

frmCallout::~frmCallout() = default;

QPolygon frmCallout::BalloonOutline(double scaleX, double scaleY, int offsetX, int offsetY)
{
    QPolygon outline;
    outline.reserve(kOutlinePoints);
    for (const OutlinePoint& point : kOutline) {
        outline << QPoint(static_cast<int>(std::lround(point.x * scaleX)) + offsetX,
                          static_cast<int>(std::lround(point.y * scaleY)) + offsetY);
    }
    return outline;
}

void frmCallout::SetText(const QString& text)
{
    lblText_->setText(text);
    emit TextChanged(text);
}

void frmCallout::paintEvent(QPaintEvent* /*event*/)
{
    // The mask cuts the window to whole pixels; painting the outline on top
    // gives the balloon a clean edge and a soft white body inside it.
    QPainter painter(this);
    painter.fillRect(rect(), kOutlineColour);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    path.addPolygon(QPolygonF(BalloonOutline(scale_, scale_)));
    path.closeSubpath();
    painter.setPen(QPen(kOutlineColour, 3.0 * scale_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kFillColour);
    painter.drawPath(path);
}

void frmCallout::mousePressEvent(QMouseEvent* event)
{
    // Pressing anywhere on the balloon drags it, as a caption would.
    if (event->button() == Qt::LeftButton && windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

frmCallout* ShowVemoCallout(QWidget* table, QPoint globalTopLeft, double timeScale, std::function<void()> done,
                            double scale)
{
    auto* balloon = new frmCallout(table, scale);
    balloon->move(globalTopLeft);
    balloon->show();

    auto animation = std::make_shared<CallAnimation>();
    animation->balloon = balloon;
    // The timers hang on the table, so the call still ends (and `done` runs)
    // if the balloon goes away early; they die with the table.
    animation->context = table != nullptr ? static_cast<QObject*>(table) : static_cast<QObject*>(qApp);
    animation->timeScale = timeScale;
    animation->done = std::move(done);
    RunCallStep(animation, 0);
    return balloon;
}

} // namespace vemo
