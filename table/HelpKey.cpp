#include "HelpKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vemo {

HelpKey::HelpKey(QObject* owner, std::function<void(int)> showHelp) : QObject(owner), showHelp_(std::move(showHelp))
{
    qApp->installEventFilter(this);
}

HelpKey::~HelpKey() { qApp->removeEventFilter(this); }

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || key->isAutoRepeat()) return false;
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    if (window->inherits("vemo::frmPause")) return false; // it answers F1 itself
    const int topic = window->property("HelpContextID").toInt();
    if (topic <= 0) return false;
    showHelp_(topic);
    return true;
}

} // namespace vemo
