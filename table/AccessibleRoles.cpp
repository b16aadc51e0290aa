#include "AccessibleRoles.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

namespace vemo {

namespace {

constexpr const char* kRole = "vemoAccessibleRole";

QAccessibleInterface* RoleFactory(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType()) return nullptr;
    const QVariant role = object->property(kRole);
    if (!role.isValid()) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), static_cast<QAccessible::Role>(role.toInt()));
}

void PassOnAllButLabelChanges(QAccessibleEvent* event)
{
    switch (event->type()) {
    case QAccessible::NameChanged:
    case QAccessible::DescriptionChanged: {
        // Nor is a hidden widget's new name news.
        const auto* widget = qobject_cast<QWidget*>(event->object());
        if (widget && !widget->isVisible()) return;
        [[fallthrough]];
    }
    case QAccessible::ObjectShow:
    case QAccessible::ObjectHide:
        if (qobject_cast<QLabel*>(event->object())) return;
        break;
    default:
        break;
    }
    // Without a handler the event goes its ordinary way, to the platform.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(PassOnAllButLabelChanges);
}

} // namespace

void QuietLabelChanges()
{
    static const bool installed = [] {
        QAccessible::installUpdateHandler(PassOnAllButLabelChanges);
        return true;
    }();
    (void)installed;
}

void ExposeAs(QWidget* widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(RoleFactory);
        return true;
    }();
    (void)installed;
    widget->setProperty(kRole, static_cast<int>(role));
    // An interface made before the role was set would keep the old role.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace vemo
