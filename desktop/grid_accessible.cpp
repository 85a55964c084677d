#include "desktop/grid_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QWindow>
#include <string>
#include <vector>

#include "desktop/grid_widget.h"
#include "desktop/spoken_notice.h"

namespace {

// A line read whole stands in the table as one cell of this column.
constexpr int kWholeLine = -1;

// The text a cell shows, or the reading of a whole line. Display lines, separated by tabs in a
// cell, read as one line.
QString ShownText(const GridWidget& grid, int col, int row) {
    if (col == kWholeLine) return grid.lineReading(row);
    const std::string text = grid.shownText ? grid.shownText(col, row) : grid.Cells(col, row);
    return QString::fromStdString(text).replace(u'\t', u' ');
}

bool InSelection(const GridWidget& grid, int col, int row) {
    const GridRect selection = grid.Selection();
    return (col == kWholeLine || (col >= selection.left && col <= selection.right)) &&
           row >= selection.top && row <= selection.bottom;
}

QRect ScreenRect(const GridWidget& grid, const GridRect& pixels) {
    if (pixels.right <= pixels.left || pixels.bottom <= pixels.top) return {};
    const QPoint topLeft = grid.viewport()->mapToGlobal(QPoint(pixels.left, pixels.top));
    return {topLeft, QSize(pixels.right - pixels.left, pixels.bottom - pixels.top)};
}

// A line spans the grid's cells from the first column to the last.
GridRect CellOrLineRect(const GridWidget& grid, int col, int row) {
    if (col != kWholeLine) return grid.CellRect(col, row);
    GridRect line = grid.CellRect(0, row);
    line.right = grid.CellRect(grid.ColCount() - 1, row).right;
    return line;
}

class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    // col: the grid's column, or kWholeLine for a line read whole.
    GridCellAccessible(GridWidget* grid, int col, int row) : grid_(grid), col_(col), row_(row) {}

    bool isValid() const override {
        return grid_ && col_ < grid_->ColCount() && row_ < grid_->RowCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(grid_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid() || t != QAccessible::Name) return {};
        return ShownText(*grid_, col_, row_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        return isValid() ? ScreenRect(*grid_, CellOrLineRect(*grid_, col_, row_)) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const bool fixed =
            (col_ != kWholeLine && col_ < grid_->FixedCols()) || row_ < grid_->FixedRows();
        const bool current = (col_ == kWholeLine || col_ == grid_->Col()) && row_ == grid_->Row();
        state.selectable = !fixed;
        state.focusable = !fixed;
        state.selected = !fixed && InSelection(*grid_, col_, row_);
        state.focused = current;
        state.active = current;
        state.invisible = rect().isEmpty();
        state.readOnly = !grid_->Editing();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return col_ == kWholeLine ? 0 : col_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<GridWidget> grid_;
    int col_;
    int row_;
};

class GridAccessible;

// Tells the table when the grid has been drawn: whatever changed on the screen, a text, the
// current cell or the selection, is announced from there. The focus is watched apart, since
// the grid need not be drawn again when a pop-up takes the focus and gives it back.
class PaintWatcher : public QObject {
public:
    PaintWatcher(GridWidget* grid, GridAccessible* table) : QObject(grid), table_(table) {
        grid->viewport()->installEventFilter(this);
        grid->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridAccessible* table_;
};

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(GridWidget* grid)
        : QAccessibleWidget(grid, QAccessible::Table),
          watcher_(new PaintWatcher(grid, this)),
          notice_(this) {
        TakeSnapshot();
    }
    ~GridAccessible() override {
        delete watcher_;
        ForgetCells();
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The cells, row by row, then the notice.
    int childCount() const override { return CellCount() + 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == CellCount()) return notice_.Holder();
        if (index < 0 || index > CellCount()) return nullptr;
        return cellAt(index / columnCount(), index % columnCount());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child && child == notice_.Holder()) return CellCount();
        const QAccessibleTableCellInterface* cell =
            child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
        if (!cell || child->parent() != this) return QAccessibleWidget::indexOfChild(child);
        return cell->rowIndex() * columnCount() + cell->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = Grid().viewport()->mapFromGlobal(QPoint(x, y));
        int col = -1;
        int row = -1;
        if (!Grid().MouseToCell(local.x(), local.y(), col, row)) return nullptr;
        return cellAt(row, ReadsLines() ? 0 : col);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
        const int index = row * columnCount() + column;
        auto found = cellIds_.constFind(index);
        if (found != cellIds_.constEnd()) return QAccessible::accessibleInterface(*found);
        auto* cell = new GridCellAccessible(&Grid(), ReadsLines() ? kWholeLine : column, row);
        cellIds_.insert(index, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int columnCount() const override { return ReadsLines() ? 1 : Grid().ColCount(); }
    int rowCount() const override { return Grid().RowCount(); }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }

    int selectedCellCount() const override { return static_cast<int>(SelectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (const auto& [col, row] : SelectedCells())
            cells.append(cellAt(row, col));
        return cells;
    }
    // A line counts as selected when its cells in the selection are; the fixed cells never are.
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    QList<int> selectedRows() const override {
        QList<int> rows;
        const GridRect selection = Grid().Selection();
        for (int row = selection.top; row <= selection.bottom; ++row)
            rows.append(row);
        return rows;
    }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    int selectedColumnCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    // Selection is the user's, by mouse and keys; assistive tools read it, they do not set it.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // Compares the grid with what was last announced and announces the differences.
    void Announce() {
        if (static_cast<int>(texts_.size()) != CellCount() || readsLines_ != ReadsLines()) {
            QAccessibleTableModelChangeEvent reset(&Grid(),
                                                   QAccessibleTableModelChangeEvent::ModelReset);
            QAccessible::updateAccessibility(&reset);
            ForgetCells();
            TakeSnapshot();
            return;
        }
        for (int index = 0; index < CellCount(); ++index) {
            QString text = CellText(index);
            QString& known = texts_[static_cast<std::size_t>(index)];
            if (text == known) continue;
            known = std::move(text);
            QAccessibleEvent changed(child(index), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&changed);
        }
        const GridRect selection = Grid().Selection();
        const bool moved = Grid().Col() != col_ || Grid().Row() != row_;
        const bool reselected = selection != selection_;
        const bool focusCame = Grid().hasFocus() && !hadFocus_;
        col_ = Grid().Col();
        row_ = Grid().Row();
        selection_ = selection;
        hadFocus_ = Grid().hasFocus();
        QAccessibleInterface* current = cellAt(row_, ReadsLines() ? 0 : col_);
        if (!current) return;
        // Moving the focused cell, or coming into the grid, reads where the user is.
        if ((moved || focusCame) && Grid().hasFocus()) {
            QAccessibleEvent focus(current, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
        if (moved || reselected) {
            QAccessibleEvent selected(current, QAccessible::Selection);
            QAccessible::updateAccessibility(&selected);
            QAccessibleEvent within(&Grid(), QAccessible::SelectionWithin);
            QAccessible::updateAccessibility(&within);
        }
        if (reselected && !moved && Grid().selectionReading)
            notice_.Speak(Grid().selectionReading());
    }

    void FocusLeft() { hadFocus_ = false; }

private:
    GridWidget& Grid() const { return *static_cast<GridWidget*>(widget()); }
    bool ReadsLines() const { return static_cast<bool>(Grid().lineReading); }
    int CellCount() const { return rowCount() * columnCount(); }
    QString CellText(int index) const {
        const int col = ReadsLines() ? kWholeLine : index % columnCount();
        return ShownText(Grid(), col, index / columnCount());
    }

    std::vector<std::pair<int, int>> SelectedCells() const {
        std::vector<std::pair<int, int>> cells;
        const GridRect selection = Grid().Selection();
        for (int row = selection.top; row <= selection.bottom; ++row) {
            if (ReadsLines()) {
                cells.emplace_back(0, row);
                continue;
            }
            for (int col = selection.left; col <= selection.right; ++col)
                cells.emplace_back(col, row);
        }
        return cells;
    }

    void TakeSnapshot() {
        readsLines_ = ReadsLines();
        texts_.assign(static_cast<std::size_t>(CellCount()), QString());
        for (int index = 0; index < CellCount(); ++index)
            texts_[static_cast<std::size_t>(index)] = CellText(index);
        col_ = Grid().Col();
        row_ = Grid().Row();
        selection_ = Grid().Selection();
        hadFocus_ = Grid().hasFocus();
    }

    void ForgetCells() {
        for (const QAccessible::Id id : std::as_const(cellIds_))
            QAccessible::deleteAccessibleInterface(id);
        cellIds_.clear();
    }

    QPointer<PaintWatcher> watcher_;
    SpokenNotice notice_;
    mutable QHash<int, QAccessible::Id> cellIds_;
    std::vector<QString> texts_;  // row by row, as last announced
    bool readsLines_ = false;
    int col_ = 0;
    int row_ = 0;
    GridRect selection_;
    bool hadFocus_ = false;
};

bool PaintWatcher::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Paint:
            table_->Announce();
            break;
        case QEvent::FocusOut:
            table_->FocusLeft();
            break;
        case QEvent::FocusIn:
            // After Qt has announced the grid itself, so that the current cell is read last.
            QMetaObject::invokeMethod(
                this, [this] { table_->Announce(); }, Qt::QueuedConnection);
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace

QAccessibleInterface* GridAccessibleFactory(const QString&, QObject* object) {
    auto* grid = qobject_cast<GridWidget*>(object);
    return grid ? new GridAccessible(grid) : nullptr;
}
