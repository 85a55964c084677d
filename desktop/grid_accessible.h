#pragma once
// The grid for screen readers: an accessible table of the grid's rows and columns whose cells
// carry the texts the grid shows, or of its rows read whole (GridWidget::lineReading). The
// current cell is focused, so that moving it, or coming into the grid, reads where the user is;
// the selection is selected; a cell whose text changes is announced; a selection that changes
// around a current cell that stays is read out (GridWidget::selectionReading).

class QAccessibleInterface;
class QObject;
class QString;

// For QAccessible::installFactory: the table of a GridWidget, nullptr for any other object.
QAccessibleInterface* GridAccessibleFactory(const QString& className, QObject* object);
