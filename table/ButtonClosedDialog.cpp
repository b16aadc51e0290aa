#include "ButtonClosedDialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace vemo {

void ButtonClosedDialog::closeEvent(QCloseEvent* event)
{
    if (closeAllowed_)
        event->accept();
    else
        event->ignore();
}

void ButtonClosedDialog::showEvent(QShowEvent* event)
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
