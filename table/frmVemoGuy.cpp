#include "frmVemoGuy.h"

#include "CheeringFigure.h"
#include "VemoFonts.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace vemo {

frmVemoGuy::frmVemoGuy(QWidget* owner, const QString& text, std::function<void(const QString& choice)> done)
    : QDialog(owner), done_(std::move(done))
{
    setObjectName(QStringLiteral("frmVemoGuy"));
    setAttribute(Qt::WA_DeleteOnClose, true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Vemo"));

    aniGIF = new CheeringFigure(this);
    aniGIF->setFixedSize(150, 170);

    lblText = new QLabel(text, this);
    lblText->setObjectName(QStringLiteral("lblText"));
    lblText->setFont(VemoCasualFont(13, true));
    lblText->setWordWrap(true);
    lblText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblText->setMinimumWidth(230);
    lblText->setStyleSheet(QStringLiteral("color: #2a3a6a;"));

    cmdTop = new QPushButton(QStringLiteral("&Ok"), this);
    cmdTop->setObjectName(QStringLiteral("cmdTop"));
    cmdTop->setDefault(true);
    cmdTop->setMinimumWidth(96);
    cmdBottom = new QPushButton(QStringLiteral("E&xit Game"), this);
    cmdBottom->setObjectName(QStringLiteral("cmdBottom"));
    cmdBottom->setMinimumWidth(96);
    connect(cmdTop, &QPushButton::clicked, this, [this] { Finish(QStringLiteral("OK")); });
    connect(cmdBottom, &QPushButton::clicked, this, [this] { Finish(QStringLiteral("EXIT")); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdTop);
    buttons->addWidget(cmdBottom);

    auto* right = new QVBoxLayout;
    right->addStretch(1);
    right->addWidget(lblText);
    right->addStretch(1);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 14, 12);
    layout->setSpacing(14);
    layout->addWidget(aniGIF, 0, Qt::AlignVCenter);
    layout->addLayout(right, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    cmdTop->setFocus();
}

void frmVemoGuy::Finish(const QString& choice)
{
    if (finished_) return;
    finished_ = true;
    QPointer<frmVemoGuy> self(this);
    if (done_) done_(choice);
    if (self) accept();
}

// The close box and Escape go on to the next hand, as OK does.
void frmVemoGuy::reject() { Finish(QStringLiteral("OK")); }

void frmVemoGuy::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace vemo
