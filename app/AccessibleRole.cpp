#include "app/AccessibleRole.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace tavo {
namespace {

constexpr const char* roleProperty = "tavoAccessibleRole";

QAccessibleInterface* interfaceWithRole(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    const QVariant role = widget != nullptr ? widget->property(roleProperty) : QVariant();
    return role.isValid() ? new QAccessibleWidget(widget, role.value<QAccessible::Role>())
                          : nullptr;
}

}  // namespace

void setAccessibleRole(QWidget* widget, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(interfaceWithRole);
        return true;
    }();
    static_cast<void>(installed);
    widget->setProperty(roleProperty, QVariant::fromValue(role));
}

}  // namespace tavo
