#pragma once
// Gives a plain widget the role assistive technology should see, where no Qt
// widget class carries it: a row of panels that is a status bar, a
// transparent pixel that is a notification.

#include <QAccessible>

class QWidget;

namespace vemo {

void ExposeAs(QWidget* widget, QAccessible::Role role);

// Labels tell assistive technology nothing of their changes: screen readers
// ignore a label's new name or its appearing (the table's labels change with
// every card), and each such message costs the screen reader a round trip to
// the program, so a busy table would bury the announcements that matter.
// What a label says is still read wherever the reader goes.
void QuietLabelChanges();

} // namespace vemo
