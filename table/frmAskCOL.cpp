#include "frmAskCOL.h"

#include "CardArt.h"
#include "Twips.h"
#include "VemoFonts.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

namespace vemo {

namespace {

// The words printed on the four Cards of Light, cmdCol(1..4).
constexpr std::array<const char*, 5> kCardWords{"", "GRACE", "BLESSING", "PRAYER", "VEMO"};
constexpr std::array<const char*, 5> kCardNames{"", "Grace", "Blessing", "Prayer", "Vemo"};

// The largest pixel size, up to `pixels`, at which text fits in `width`.
QFont FittedFont(const QString& text, qreal pixels, qreal width)
{
    QFont font = VemoCasualFont(10, true);
    font.setPixelSize(std::max(1, qRound(pixels)));
    while (pixels > 5 && QFontMetricsF(font).horizontalAdvance(text) > width) {
        pixels -= 0.5;
        font.setPixelSize(qRound(pixels));
    }
    return font;
}

void PaintLightCard(QPainter& p, const QRectF& r, const QString& word)
{
    CardArt::PaintCardPicture(p, r, CardPicture::Yellow);
    const QRectF panel = CardArt::VersePanelRect(r);
    const qreal side = std::min(panel.width(), panel.height()) * 0.8;
    CardArt::PaintColourShape(p, QRectF(panel.center().x() - side / 2, panel.center().y() - side / 2, side, side),
                              'L');
    if (word.isEmpty()) return;
    // The card's word in the top band, clear of the corner sun.
    const QRectF band(r.left() + r.width() * 0.07, r.top() + r.height() * 0.025, r.width() * 0.68,
                      r.height() * 0.16);
    p.setFont(FittedFont(word, r.height() * 0.14, band.width()));
    p.setPen(QColor(192, 64, 0));
    p.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, word);
}

} // namespace

QPixmap frmAskCOL::AskCardPicture(int index, QSize logicalSize, qreal devicePixelRatio)
{
    const QString word = QString::fromLatin1(kCardWords.at(static_cast<std::size_t>(index)));
    return CardArt::Render(logicalSize, devicePixelRatio,
                           [&word](QPainter& p, const QRectF& r) { PaintLightCard(p, r, word); });
}

QPixmap frmAskCOL::DisabledPicture(QSize logicalSize, qreal devicePixelRatio)
{
    // A Card of Light without its word, washed out to pale grey.
    QImage image = CardArt::Render(logicalSize, devicePixelRatio, [](QPainter& p, const QRectF& r) {
                       PaintLightCard(p, r, QString());
                   }).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = 150 + qGray(pixel) * 95 / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(pixel));
        }
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

frmAskCOL::frmAskCOL(QWidget* owner, const QString& caption, std::function<void(int index)> clicked, double scale)
    : ButtonClosedDialog(owner), clicked_(std::move(clicked))
{
    const auto px = [scale](int twips) { return TwipsToPixels(twips, scale); };
    setObjectName(QStringLiteral("frmAskCOL"));
    setAttribute(Qt::WA_DeleteOnClose, true);
    // No close box: the engine closes the window after a transfer or the fourth miss.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Ask next player for:") : caption);
    setProperty("HelpContextID", kHelpContextID);
    setFixedSize(px(kWidthTwips), px(kHeightTwips));

    const int left = px(kButtonLeftTwips[1]);
    const int width = px(kButtonLeftTwips[4] + kButtonWidthTwips) - left;

    lblName = new QLabel(QStringLiteral("Which of the following cards would you like to ask for?"), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->setFont(ScaledFont(VemoCasualFont(10, true), scale));
    lblName->setAlignment(Qt::AlignCenter);
    lblName->setWordWrap(true);
    lblName->setGeometry(left, 2, width, px(kButtonTopTwips) - 4);

    const QSize buttonSize(px(kButtonWidthTwips), px(kButtonHeightTwips));
    for (int index = 1; index <= 4; ++index) {
        const auto i = static_cast<std::size_t>(index);
        auto* button = new CardButton(this);
        button->setObjectName(QStringLiteral("cmdCol%1").arg(index));
        button->setGeometry(QRect(QPoint(px(kButtonLeftTwips[i]), px(kButtonTopTwips)),
                                  buttonSize));
        button->setAccessibleName(QString::fromLatin1(kCardNames[i]));
        button->setToolTip(QString::fromLatin1(kCardNames[i]));
        button->SetPicture(AskCardPicture(index, buttonSize - QSize(6, 6), devicePixelRatioF()));
        connect(button, &QAbstractButton::clicked, this, [this, index] {
            if (clicked_) clicked_(index);
        });
        cmdCol[i] = button;
        SetButtonKey(kCardNames[i][0], button); // G, B, P, V: the card's initial
    }

    const int messageTop = px(kButtonTopTwips + kButtonHeightTwips) + 4;
    lblMsg = new QLabel(this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setFont(ScaledFont(VemoCasualFont(9, false), scale));
    lblMsg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblMsg->setWordWrap(true);
    lblMsg->setGeometry(left, messageTop, width, height() - messageTop - 2);
}

void frmAskCOL::SetMessage(const QString& text) { lblMsg->setText(text); }

void frmAskCOL::MarkUsed(int index, const QString& capitalWord)
{
    if (index < 1 || index > 4) return;
    CardButton* button = cmdCol[static_cast<std::size_t>(index)];
    button->SetPicture(DisabledPicture(button->size() - QSize(6, 6), devicePixelRatioF()));
    button->setText(capitalWord);
    button->setEnabled(false);
}

void frmAskCOL::CloseWindow()
{
    AllowClose();
    accept();
}

} // namespace vemo
