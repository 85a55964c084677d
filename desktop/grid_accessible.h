#pragma once
// The grid for screen readers: an accessible table of the grid's rows and columns whose cells
// carry the texts the grid shows. The current cell is focused, the selection is selected, and
// a cell whose text changes is announced.

class QAccessibleInterface;
class QObject;
class QString;

// For QAccessible::installFactory: the table of a GridWidget, nullptr for any other object.
QAccessibleInterface* GridAccessibleFactory(const QString& className, QObject* object);
