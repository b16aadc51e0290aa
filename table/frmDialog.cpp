#include "frmDialog.h"

#include "Twips.h"
#include "VemoFonts.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace vemo {

namespace {

// Button size and the gap between the two, in twips like the rest of the layout.
constexpr int kButtonWidthTwips = 1200;
constexpr int kButtonHeightTwips = 375;
constexpr int kButtonGapTwips = 240;
// The message fills the strip above the buttons, inset from the border.
constexpr int kMessageMarginTwips = 90;
constexpr int kMessageTopTwips = 15;

// The largest size, down to a floor, at which the wrapped message fits its
// strip; with `needed` the height the message takes at the size chosen.
QFont FittedMessageFont(const QString& text, const QRect& area, double scale, int& needed)
{
    constexpr int kLargest = 10;
    constexpr int kSmallest = 8;
    QFont font = VemoCasualFont(kLargest, true);
    for (int size = kLargest; size >= kSmallest; --size) {
        font.setPointSizeF(size * scale);
        needed = QFontMetrics(font).boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, text).height();
        if (needed <= area.height())
            break;
    }
    return font;
}

// A word too wide for the strip (a very long name) cannot wrap: it is shown
// cut in the middle instead, so the message keeps to the window.
QString WithLongWordsCut(const QString& text, const QRect& area)
{
    const QFontMetrics metrics(VemoCasualFont(10, true));
    QStringList words = text.split(QLatin1Char(' '));
    for (QString& word : words)
        if (metrics.horizontalAdvance(word) > area.width()) word = metrics.elidedText(word, Qt::ElideMiddle, area.width());
    return words.join(QLatin1Char(' '));
}

} // namespace

frmDialog::frmDialog(QWidget* table)
    : QDialog(table, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmDialog"));
    setWindowTitle(QStringLiteral("Vemo"));
    setProperty("HelpContextID", kHelpContextID);

    lblMsg_ = new QLabel(this);
    lblMsg_->setObjectName(QStringLiteral("lblMsg"));
    lblMsg_->setWordWrap(true);
    lblMsg_->setAlignment(Qt::AlignCenter);
    lblMsg_->setTextFormat(Qt::PlainText);
    QPalette textPalette = lblMsg_->palette();
    textPalette.setColor(QPalette::WindowText, QColor(52, 34, 8));
    lblMsg_->setPalette(textPalette);

    cmdYes_ = new QPushButton(QStringLiteral("&Yes"), this);
    cmdYes_->setObjectName(QStringLiteral("cmdYes"));
    cmdNo_ = new QPushButton(QStringLiteral("&No"), this);
    cmdNo_->setObjectName(QStringLiteral("cmdNo"));
    connect(cmdYes_, &QPushButton::clicked, this, [this] { OnButton(okOnly_ ? QStringLiteral("OK") : QStringLiteral("YES")); });
    connect(cmdNo_, &QPushButton::clicked, this, [this] { OnButton(QStringLiteral("NO")); });

    SetMessage(QString());
    SetButtons(false);
    SetOuterHeight(kInnerHeightTwips);
}

frmDialog::~frmDialog()
{
    // A question still open when the table goes away is not answered: the
    // game that asked it is being torn down too.
    answered_ = nullptr;
}

QPoint frmDialog::UpperCentre(const QRect& workArea, QSize windowSize)
{
    return {workArea.left() + (workArea.width() - windowSize.width()) / 2,
            workArea.top() + workArea.height() / 3 - windowSize.height() / 2};
}

void frmDialog::ShowNotice(const QString& text, int outerHeightTwips)
{
    if (answered_) {
        // A notice never takes over an open question silently.
        done(QDialog::Rejected);
    }
    hide();
    okOnly_ = false;
    SetMessage(text);
    SetButtons(false);
    setWindowModality(Qt::NonModal);
    // The table keeps the keyboard: a notice may wait for the next deck click.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    SetOuterHeight(outerHeightTwips);
    PlaceOnScreen();
    show();
}

void frmDialog::AskQuestion(const QString& text, bool okOnly, std::function<void(const QString& answer)> answered)
{
    if (answered_)
        done(QDialog::Rejected);
    hide();
    okOnly_ = okOnly;
    SetMessage(text);
    SetButtons(okOnly);
    answer_.clear();
    answered_ = std::move(answered);
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    SetOuterHeight(kQuestionHeightTwips);
    PlaceOnScreen();
    // open() makes the window modal to the table only and returns at once; the
    // answer arrives through done().
    open();
    cmdYes_->setFocus(Qt::OtherFocusReason);
}

void frmDialog::HideDialog()
{
    if (answered_)
        done(QDialog::Rejected);
    else
        hide();
}

void frmDialog::done(int result)
{
    // Take the answer and the callback first: the callback may ask the next
    // question at once, which must find the window ready for it.
    const QString answer = std::exchange(answer_, QString());
    auto answered = std::exchange(answered_, nullptr);
    okOnly_ = false;
    SetButtons(false);
    QDialog::done(result);
    if (answered)
        answered(answer);
}

void frmDialog::reject()
{
    if (!answered_) QDialog::reject();
}

void frmDialog::OnButton(const QString& answer)
{
    if (answered_) {
        answer_ = answer;
        done(QDialog::Accepted);
    } else {
        hide();
    }
}

void frmDialog::keyPressEvent(QKeyEvent* event)
{
    // The buttons' own mnemonics need Alt; a question takes the plain letters too.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::ShiftModifier;
    if (answered_ && !okOnly_ && modifiers == Qt::NoModifier && !event->isAutoRepeat()) {
        QPushButton* button = event->key() == Qt::Key_Y ? cmdYes_ : event->key() == Qt::Key_N ? cmdNo_ : nullptr;
        if (button && button->isVisible()) {
            button->click();
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void frmDialog::SetScale(double scale)
{
    scale_ = scale;
    for (QPushButton* button : {cmdYes_, cmdNo_}) button->setFont(ScaledFont(font(), scale));
}

int frmDialog::Px(int twips) const { return TwipsToPixels(twips, scale_); }

void frmDialog::SetMessage(const QString& text)
{
    const QRect strip(Px(kMessageMarginTwips), Px(kMessageTopTwips),
                      Px(kWidthTwips - 2 * kMessageMarginTwips),
                      Px(kButtonTopTwips - kMessageTopTwips) - 1);
    int needed = 0;
    const QString shown = WithLongWordsCut(text, strip);
    lblMsg_->setFont(FittedMessageFont(shown, strip, scale_, needed));
    // A message too long for the strip even in small print (the lie warning)
    // pushes the buttons and the bottom edge down rather than being cut off.
    overflow_ = std::max(0, needed - strip.height());
    lblMsg_->setGeometry(strip.adjusted(0, 0, 0, overflow_));
    lblMsg_->setText(shown);
}

void frmDialog::SetOuterHeight(int outerHeightTwips)
{
    setFixedSize(Px(kWidthTwips), Px(outerHeightTwips) + overflow_);
    // Buttons that lie outside the window must not take Enter or Space either.
    const bool buttonsShown = outerHeightTwips >= kButtonTopTwips + kButtonHeightTwips;
    cmdYes_->setVisible(buttonsShown);
    cmdNo_->setVisible(buttonsShown && !okOnly_);
}

void frmDialog::SetButtons(bool okOnly)
{
    const int width = Px(kButtonWidthTwips);
    const int height = Px(kButtonHeightTwips);
    const int top = Px(kButtonTopTwips) + overflow_;
    const int centre = Px(kWidthTwips) / 2;
    if (okOnly) {
        cmdYes_->setText(QStringLiteral("Ok"));
        cmdYes_->setGeometry(centre - width / 2, top, width, height);
        cmdNo_->hide();
    } else {
        cmdYes_->setText(QStringLiteral("&Yes"));
        cmdNo_->setText(QStringLiteral("&No"));
        const int gap = Px(kButtonGapTwips);
        cmdYes_->setGeometry(centre - gap / 2 - width, top, width, height);
        cmdNo_->setGeometry(centre + gap / 2, top, width, height);
        cmdNo_->setVisible(cmdYes_->isVisibleTo(this));
    }
    cmdYes_->setDefault(true);
}

void frmDialog::PlaceOnScreen()
{
    QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    move(UpperCentre(screen->availableGeometry(), size()));
}

void frmDialog::paintEvent(QPaintEvent* /*event*/)
{
    // Without a frame of its own the window draws its edge, in the warm
    // colours of the Cards of Light.
    QPainter painter(this);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(area.topLeft(), area.bottomLeft());
    fill.setColorAt(0.0, QColor(255, 253, 240));
    fill.setColorAt(1.0, QColor(255, 238, 196));
    painter.fillRect(rect(), fill);
    painter.setPen(QPen(QColor(176, 98, 10), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    painter.setPen(QPen(QColor(255, 255, 255, 180), 1.0));
    painter.drawLine(QPointF(1.5, 1.5), QPointF(area.right() - 1.0, 1.5));
}

} // namespace vemo
