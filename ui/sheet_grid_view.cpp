#include "ui/sheet_grid_view.h"

#include <QEvent>
#include <QScopedValueRollback>
#include <algorithm>

#include "desktop/grid_widget.h"
#include "sheet/extend_string_grid.h"
#include "ui/result_panel_colors.h"

namespace {

constexpr int kResultColumn = 1;
constexpr int kFormulaColumn = 2;

}  // namespace

SheetGridView::SheetGridView(GridWidget& grid, ExtendStringGrid& records, SheetDocument& sheet)
    : grid_(grid), records_(records), sheet_(sheet) {
    // The view's handlers, installed before the grid object attaches, take precedence over its
    // own.
    grid_.OnClick = [this] { Picked(); };
    grid_.OnMouseDown = [this](MouseButton, ShiftState, int, int) {
        pressed_ = true;
        if (!showing_) sheet_.Select(GridSelection());
    };
    // The status bar follows the selection while it is dragged.
    grid_.OnMouseMove = [this](ShiftState, int, int) {
        if (pressed_ && !showing_) sheet_.Select(GridSelection());
    };
    grid_.OnMouseUp = [this](MouseButton, ShiftState, int, int) { pressed_ = false; };
    // A text cut short in its cell shows whole in the tip.
    grid_.cellToolTip = [this](int col, int row) {
        const CellProperty* cell = records_.CellAt(col, row);
        return cell && !records_.TextFits(col, row)
                   ? QString::fromStdString(cell->text).replace(u'\t', u'\n')
                   : QString();
    };
    // The grid object draws the cells from its records; a screen reader reads them there too.
    grid_.shownText = [this](int col, int row) {
        const CellProperty* cell = records_.CellAt(col, row);
        return cell ? cell->text : std::string();
    };
    // A wheel notch moves the current line: the window takes it.
    grid_.SetWheelScrolls(false);
    grid_.installEventFilter(this);
    subscription_ = sheet_.Observe([this](const SheetChange& change) { Show(change); });
}

void SheetGridView::LayOut(int resultChars) {
    {
        // Laying out moves the grid's current cell; the sheet stays where it is.
        const QScopedValueRollback<bool> showing(showing_, true);
        records_.AttachGrid(grid_);
        records_.SetGridSize(3, kLineCount);
        records_.FitCells(KeepValue, KeepValue, {5, resultChars, -1});
        for (int line = 0; line < kLineCount; ++line) {
            records_.CellAt(0, line)->text = SheetDocument::Label(line);
            records_.CellAt(kResultColumn, line)->align = 2;
        }
    }
    resultChars_ = resultChars;
    laidOut_ = true;
    SheetChange all;
    all.AddLines(0, kLastLine);
    all.currentLine = all.selection = true;
    Show(all);
    FitFormulaColumn();
}

void SheetGridView::FitFormulaColumn() {
    // A result column wider than the window allows (a hand-edited RWIDTH) leaves the formula
    // column its default width at least.
    const auto width = [this](int chars) {
        return chars * records_.charWidth + 2 * records_.marginX;
    };
    const int room = grid_.Width() - grid_.ColWidth(0) - 24;
    const int result =
        std::min(width(resultChars_), std::max(room - width(records_.defaultColChars), 0));
    if (resultChars_ > 0) grid_.SetColWidth(kResultColumn, result);
    grid_.SetColWidth(kFormulaColumn, std::max(room - grid_.ColWidth(kResultColumn), 0));
}

bool SheetGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &grid_ && event->type() == QEvent::Resize && laidOut_) FitFormulaColumn();
    return QObject::eventFilter(watched, event);
}

void SheetGridView::Show(const SheetChange& change) {
    if (!laidOut_) return;
    const QScopedValueRollback<bool> showing(showing_, true);
    for (int line = std::max(change.firstLine, 0); line <= std::min(change.lastLine, kLastLine);
         ++line) {
        ShowLine(line);
    }
    const int current = sheet_.CurrentLine();
    if (change.currentLine) {
        MarkCurrentLine(markedLine_, false);
        MarkCurrentLine(current, true);
        markedLine_ = current;
    }
    // A selection the grid itself reported (a drag) is already shown.
    if (change.currentLine) grid_.SetRow(current);
    const LineSelection& selection = sheet_.Selection();
    if ((change.currentLine || change.selection) && GridSelection() != selection)
        grid_.SelectRows(selection.anchor, selection.extent);
    grid_.Repaint();
}

void SheetGridView::ShowLine(int line) {
    CellProperty* result = records_.CellAt(kResultColumn, line);
    CellProperty* formula = records_.CellAt(kFormulaColumn, line);
    if (!result || !formula) return;
    if (result->text != sheet_.Result(line)) result->text = sheet_.Result(line);
    if (formula->text != sheet_.Formula(line)) formula->text = sheet_.Formula(line);
}

void SheetGridView::MarkCurrentLine(int line, bool current) {
    CellProperty* number = records_.CellAt(0, line);
    if (!number) return;
    number->style.color = current ? kResultPanelColor : grid_.FixedColor();
    number->fontColor = current ? kResultDigitColor : kWindowTextColor;
}

LineSelection SheetGridView::GridSelection() const {
    return {grid_.AnchorRow(), grid_.ExtentRow()};
}

void SheetGridView::Picked() {
    if (showing_) return;
    // A line picked with the mouse goes on in the input line; the grid's own keys keep the
    // focus in the grid, where a screen reader reads the line moved to.
    if (pressed_) emit LinePicked();
    sheet_.MoveTo(grid_.Row(), GridSelection());
}
