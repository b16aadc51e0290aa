#pragma once
// Gives a plain widget the role assistive technology should see, where no Qt
// widget class carries it: a row of panels that is a status bar, a
// transparent pixel that is a notification.

#include <QAccessible>

class QWidget;

namespace vemo {

void ExposeAs(QWidget* widget, QAccessible::Role role);

} // namespace vemo
