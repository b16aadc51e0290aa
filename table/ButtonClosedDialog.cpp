#include "ButtonClosedDialog.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
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

void ButtonClosedDialog::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (modifiers == Qt::NoModifier && !event->isAutoRepeat()) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            // The card buttons are no push buttons, so the dialog has no default
            // button to take Enter: the focused one takes it.
            if (auto* button = qobject_cast<QAbstractButton*>(focusWidget()); button && button->isEnabled()) {
                button->click();
                event->accept();
                return;
            }
        }
        for (const auto& [key, button] : buttonKeys_) {
            if (key != event->key()) continue;
            button->click(); // a used, disabled button does nothing
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

} // namespace vemo
