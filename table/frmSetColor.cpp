#include "frmSetColor.h"

#include "CardArt.h"
#include "Twips.h"
#include "VemoFonts.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QStyleOptionFocusRect>

namespace vemo {

namespace {

struct ColourButton {
    char letter;
    const char* name;
};
// cmdColor(1..4), left to right, as the engine maps the indexes to colours.
constexpr std::array<ColourButton, 5> kColours{{{' ', ""}, {'B', "Blue"}, {'G', "Green"}, {'P', "Purple"},
                                                 {'R', "Red"}}};

} // namespace

CardButton::CardButton(QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover, true);
}

void CardButton::SetPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

QSize CardButton::sizeHint() const { return {TwipsToPixels(1185), TwipsToPixels(1560)}; }

void CardButton::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CardButton::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CardButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);

    // The card keeps a small margin for the hover glow and the focus ring.
    const QRectF area = QRectF(rect()).adjusted(3, 3, -3, -3);
    QRectF card = CardArt::FitCard(area);
    if (isDown()) card.translate(0, 1.5);
    const qreal radius = std::min(card.width(), card.height()) * 0.085;

    const bool lit = isEnabled() && (hovered_ || isDown());
    if (lit) {
        // A warm glow behind the card.
        for (int ring = 3; ring >= 1; --ring) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 214, 64, 40 + 25 * (3 - ring)));
            painter.drawRoundedRect(card.adjusted(-ring, -ring, ring, ring), radius + ring, radius + ring);
        }
    } else {
        // A soft shadow under the card.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 50));
        painter.drawRoundedRect(card.translated(1.2, 1.6), radius, radius);
    }

    if (!picture_.isNull()) painter.drawPixmap(card, picture_, QRectF(picture_.rect()));

    if (!text().isEmpty()) {
        // The stamp across the middle of the card.
        QFont font = VemoCasualFont(10, true);
        qreal pixels = card.height() * 0.14;
        font.setPixelSize(std::max(1, qRound(pixels)));
        while (pixels > 6 && QFontMetricsF(font).horizontalAdvance(text()) > card.width() * 0.8) {
            pixels -= 0.5;
            font.setPixelSize(qRound(pixels));
        }
        const QFontMetricsF metrics(font);
        const qreal bandWidth = std::min(card.width() * 0.94, metrics.horizontalAdvance(text()) + metrics.height());
        const QRectF band(card.center().x() - bandWidth / 2, card.center().y() - metrics.height() * 0.7,
                          bandWidth, metrics.height() * 1.4);
        painter.setPen(QPen(QColor(90, 90, 90), 1.0));
        painter.setBrush(QColor(250, 250, 250, 225));
        painter.drawRoundedRect(band, band.height() * 0.3, band.height() * 0.3);
        painter.setFont(font);
        painter.setPen(QColor(70, 70, 70));
        painter.drawText(band, Qt::AlignCenter, text());
    }

    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        QPen pen(palette().color(QPalette::Highlight), 1.2, Qt::DashLine);
        painter.setPen(pen);
        painter.drawRoundedRect(card.adjusted(-2, -2, 2, 2), radius + 2, radius + 2);
    }
}

QPixmap frmSetColor::ColourCardPicture(int index, QSize logicalSize, qreal devicePixelRatio)
{
    const ColourButton colour = kColours.at(static_cast<std::size_t>(index));
    return CardArt::Render(logicalSize, devicePixelRatio, [colour](QPainter& p, const QRectF& r) {
        CardArt::PaintCardPicture(p, r, CardArt::PictureOfLetter(colour.letter));
        // The colour's own shape, large on the panel, so the colours can be
        // told apart without colour vision.
        const QRectF panel = CardArt::VersePanelRect(r);
        const qreal side = std::min(panel.width(), panel.height()) * 0.82;
        CardArt::PaintColourShape(p, QRectF(panel.center().x() - side / 2, panel.center().y() - side / 2, side, side),
                                  colour.letter);
        // The colour's name in the top band, where a card prints its type word.
        QFont font = VemoCasualFont(10, true);
        font.setPixelSize(std::max(1, qRound(r.height() * 0.14)));
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(r.left() + r.width() * 0.08, r.top() + r.height() * 0.02, r.width() * 0.66,
                          r.height() * 0.17),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(colour.name).toUpper());
    });
}

frmSetColor::frmSetColor(QWidget* owner, std::function<void(int index)> chosen, double scale)
    : ButtonClosedDialog(owner), chosen_(std::move(chosen))
{
    const auto px = [scale](int twips) { return TwipsToPixels(twips, scale); };
    setObjectName(QStringLiteral("frmSetColor"));
    setAttribute(Qt::WA_DeleteOnClose, true);
    // No close box: a colour must be chosen.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Please select a card color"));
    setProperty("HelpContextID", kHelpContextID);
    setFixedSize(px(kWidthTwips), px(kHeightTwips));

    const QSize buttonSize(px(kButtonWidthTwips), px(kButtonHeightTwips));
    for (int index = 1; index <= 4; ++index) {
        auto* button = new CardButton(this);
        const auto i = static_cast<std::size_t>(index);
        button->setObjectName(QStringLiteral("cmdColor%1").arg(index));
        button->setGeometry(QRect(QPoint(px(kButtonLeftTwips[i]), px(kButtonTopTwips)),
                                  buttonSize));
        button->setAccessibleName(QString::fromLatin1(kColours[i].name));
        button->setToolTip(QString::fromLatin1(kColours[i].name));
        button->SetPicture(ColourCardPicture(index, buttonSize - QSize(6, 6), devicePixelRatioF()));
        connect(button, &QAbstractButton::clicked, this, [this, index] { cmdColor_Click(index); });
        cmdColor[i] = button;
        // The colour's number from the left, and its initial.
        SetButtonKey(Qt::Key_0 + index, button);
        SetButtonKey(kColours[i].letter, button);
    }
}

void frmSetColor::cmdColor_Click(int index)
{
    if (CloseAllowed()) return;
    AllowClose();
    QPointer<frmSetColor> self(this);
    if (chosen_) chosen_(index);
    if (self) accept();
}

} // namespace vemo
