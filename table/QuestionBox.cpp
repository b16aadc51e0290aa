#include "QuestionBox.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace vemo {

bool QuestionBox::AwaitsAnswer() const
{
    return clickedButton() == nullptr && buttons().size() > 1 && button(QMessageBox::Cancel) == nullptr;
}

void QuestionBox::keyPressEvent(QKeyEvent* event)
{
    if (AwaitsAnswer() && event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

void QuestionBox::closeEvent(QCloseEvent* event)
{
    if (AwaitsAnswer()) {
        event->ignore();
        return;
    }
    QMessageBox::closeEvent(event);
}

} // namespace vemo
