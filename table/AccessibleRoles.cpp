#include "AccessibleRoles.h"

#include <QAccessibleWidget>
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

} // namespace

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
