#include "frmSplash.h"

#include "CardArt.h"
#include "VemoFonts.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace vemo {

frmSplash::frmSplash(const QString& version, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), version_(version)
{
    setObjectName(QStringLiteral("frmSplash"));
    resize(420, 260);
    // Centred on the work area, as CenterForm does.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(20, 40, 110));
    sky.setColorAt(1, QColor(10, 20, 60));
    painter.fillRect(rect(), sky);
    // A fan of the four colours and a Card of Light.
    const CardPicture fan[] = {CardPicture::Blue, CardPicture::Green, CardPicture::Yellow, CardPicture::Purple,
                               CardPicture::Red};
    for (int k = 0; k < 5; ++k) {
        painter.save();
        painter.translate(width() / 2, 200);
        painter.rotate(-30 + 15 * k);
        CardArt::PaintCardPicture(painter, QRectF(-30, -150, 60, 81), fan[k]);
        painter.restore();
    }
    painter.setPen(QColor(255, 215, 90));
    painter.setFont(VemoCasualFont(40, true));
    painter.drawText(QRect(0, 150, width(), 60), Qt::AlignCenter, QStringLiteral("Vemo"));
    painter.setPen(Qt::white);
    painter.setFont(VemoCasualFont(10, false));
    painter.drawText(QRect(0, 205, width(), 24), Qt::AlignCenter, QStringLiteral("Version %1").arg(version_));
    painter.drawText(QRect(0, 228, width(), 24), Qt::AlignCenter, QStringLiteral("Loading the cards..."));
}

} // namespace vemo
