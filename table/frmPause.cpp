#include "frmPause.h"

#include "VemoFonts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>

namespace vemo {

namespace {

// The round pause sign beside the texts.
class PauseSign : public QWidget {
public:
    explicit PauseSign(QWidget* parent) : QWidget(parent) { setFixedSize(56, 56); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QRectF disc = QRectF(rect()).adjusted(2, 2, -2, -2);
        QRadialGradient fill(disc.center() - QPointF(disc.width() * 0.15, disc.height() * 0.2), disc.width() * 0.7);
        fill.setColorAt(0.0, QColor(92, 150, 236));
        fill.setColorAt(1.0, QColor(28, 72, 160));
        p.setPen(QPen(QColor(16, 40, 96), 1.5));
        p.setBrush(fill);
        p.drawEllipse(disc);
        const qreal barWidth = disc.width() * 0.14;
        const qreal barHeight = disc.height() * 0.44;
        const qreal gap = disc.width() * 0.1;
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        const qreal top = disc.center().y() - barHeight / 2;
        p.drawRoundedRect(QRectF(disc.center().x() - gap / 2 - barWidth, top, barWidth, barHeight), 2, 2);
        p.drawRoundedRect(QRectF(disc.center().x() + gap / 2, top, barWidth, barHeight), 2, 2);
    }
};

} // namespace

frmPause::frmPause(QWidget* owner, std::function<void()> closed) : QDialog(owner), closed_(std::move(closed))
{
    setObjectName(QStringLiteral("frmPause"));
    setAttribute(Qt::WA_DeleteOnClose, true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Vemo Paused!"));
    setProperty("HelpContextID", kHelpContextID);

    lblContinue = new QLabel(QStringLiteral("Click OK to continue..."), this);
    lblContinue->setObjectName(QStringLiteral("lblContinue"));
    lblContinue->setFont(VemoCasualFont(13, true));
    lblHelp = new QLabel(QStringLiteral("Press F1 for help"), this);
    lblHelp->setObjectName(QStringLiteral("lblHelp"));
    lblHelp->setFont(VemoCasualFont(10, false));
    lblHelp->setStyleSheet(QStringLiteral("color: #555555;"));

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(88);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, [this] {
        if (closed_) closed_();
    });

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(lblContinue);
    texts->addWidget(lblHelp);

    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(new PauseSign(this), 0, Qt::AlignVCenter);
    top->addLayout(texts, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    cmdOK->setFocus();
}

void frmPause::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        emit helpRequested();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vemo
