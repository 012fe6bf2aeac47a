#pragma once

#include <QAccessible>

class QWidget;

namespace tavo {

// Gives a widget of ours the role a screen reader announces it by (a label, a list, a list item):
// Qt presents any widget it has no interface for as a nameless filler. Must be set before the
// widget is first asked for, since Qt keeps the interface it made. The name is the widget's
// accessibleName.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

}  // namespace tavo
