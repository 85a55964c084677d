#include "desktop/grid_widget.h"

#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "desktop/colors.h"

namespace {

constexpr int kDefaultColWidth = 64;
constexpr int kDefaultRowHeight = 24;
constexpr int kAutoScrollMs = 60;
constexpr int kTextMargin = 2;

}  // namespace

GridWidget::GridWidget(QWidget* parent) : QAbstractScrollArea(parent), canvas_(palette()) {
    colWidths_.assign(colCount_, kDefaultColWidth);
    rowHeights_.assign(rowCount_, kDefaultRowHeight);
    cells_.assign(std::size_t(colCount_) * rowCount_, {});
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    autoScrollTimer_.setInterval(kAutoScrollMs);
    connect(&autoScrollTimer_, &QTimer::timeout, this, [this] { AutoScroll(); });
    editor_ = new QLineEdit(viewport());
    editor_->setFrame(false);
    editor_->hide();
    editor_->installEventFilter(this);
    UpdateScrollBars();
}

GridWidget::~GridWidget() {
    editor_->removeEventFilter(this);
}

void GridWidget::SetColCount(int count) {
    count = std::max(count, 1);
    if (count == colCount_) return;
    CommitEditor();
    std::vector<std::string> cells(std::size_t(count) * rowCount_);
    for (int c = 0; c < std::min(count, colCount_); ++c) {
        for (int r = 0; r < rowCount_; ++r) {
            cells[std::size_t(c) * rowCount_ + r] =
                std::move(cells_[std::size_t(c) * rowCount_ + r]);
        }
    }
    cells_ = std::move(cells);
    colWidths_.resize(count, kDefaultColWidth);
    colCount_ = count;
    fixedCols_ = std::min(fixedCols_, count - 1);
    AfterStructureChange();
}

void GridWidget::SetRowCount(int count) {
    count = std::max(count, 1);
    if (count == rowCount_) return;
    CommitEditor();
    std::vector<std::string> cells(std::size_t(colCount_) * count);
    for (int c = 0; c < colCount_; ++c) {
        for (int r = 0; r < std::min(count, rowCount_); ++r) {
            cells[std::size_t(c) * count + r] = std::move(cells_[std::size_t(c) * rowCount_ + r]);
        }
    }
    cells_ = std::move(cells);
    rowHeights_.resize(count, kDefaultRowHeight);
    rowCount_ = count;
    fixedRows_ = std::min(fixedRows_, count - 1);
    AfterStructureChange();
}

void GridWidget::SetFixedCols(int count) {
    count = std::clamp(count, 0, colCount_ - 1);
    if (count == fixedCols_) return;
    CommitEditor();
    fixedCols_ = count;
    leftCol_ = count;
    AfterStructureChange();
}

void GridWidget::SetFixedRows(int count) {
    count = std::clamp(count, 0, rowCount_ - 1);
    if (count == fixedRows_) return;
    CommitEditor();
    fixedRows_ = count;
    topRow_ = count;
    AfterStructureChange();
}

void GridWidget::AfterStructureChange() {
    const auto clampCell = [this](Cell cell) {
        return Cell{std::clamp(cell.col, fixedCols_, colCount_ - 1),
                    std::clamp(cell.row, fixedRows_, rowCount_ - 1)};
    };
    const Cell current = clampCell({col_, row_});
    if (current.col != col_ || current.row != row_) {
        col_ = current.col;
        row_ = current.row;
        CollapseSelection();
    } else {
        anchor_ = clampCell(anchor_);
        extent_ = clampCell(extent_);
    }
    UpdateScrollBars();
    viewport()->update();
}

void GridWidget::SetCol(int col) {
    if (col != col_) MoveCurrent(col, row_, true);
}

void GridWidget::SetRow(int row) {
    if (row != row_) MoveCurrent(col_, row, true);
}

GridRect GridWidget::Selection() const {
    GridRect selection{std::min(anchor_.col, extent_.col), std::min(anchor_.row, extent_.row),
                       std::max(anchor_.col, extent_.col), std::max(anchor_.row, extent_.row)};
    if (rowSelect_) {
        selection.left = fixedCols_;
        selection.right = colCount_ - 1;
    }
    return selection;
}

bool GridWidget::MoveCurrent(int col, int row, bool raiseClick) {
    if (!IsSelectable(col, row)) return false;
    if (OnSelectCell) {
        bool canSelect = true;
        OnSelectCell(col, row, canSelect);
        if (!canSelect) return false;
    }
    CommitEditor();
    col_ = col;
    row_ = row;
    CollapseSelection();
    ScrollIntoView(col, row);
    viewport()->update();
    if (raiseClick && OnClick) OnClick();
    return true;
}

void GridWidget::CollapseSelection() {
    anchor_ = {col_, row_};
    extent_ = anchor_;
}

bool GridWidget::IsSelectable(int col, int row) const {
    return col >= fixedCols_ && col < colCount_ && row >= fixedRows_ && row < rowCount_;
}

void GridWidget::SetRangeSelect(bool on) {
    rangeSelect_ = on;
    if (!on) CollapseSelection();
    viewport()->update();
}

void GridWidget::SetRowSelect(bool on) {
    rowSelect_ = on;
    viewport()->update();
}

void GridWidget::SetEditing(bool on) {
    editing_ = on;
    if (!on) CommitEditor();
}

void GridWidget::SetEnabled(bool on) {
    // The grid keeps the keyboard focus while it is disabled for a moment (QWidget::setEnabled
    // would pass it on); it only ignores input and cannot be focused meanwhile.
    enabled_ = on;
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
    if (!on) {
        selecting_ = false;
        autoScrollTimer_.stop();
    }
}

bool GridWidget::SetFocus() {
    if (!isVisible() || !isEnabled() || !enabled_) return false;
    if (editorOpen_) {
        editor_->setFocus(Qt::OtherFocusReason);
    } else {
        setFocus(Qt::OtherFocusReason);
    }
    return true;
}

void GridWidget::SetFont(const GridFont& font) {
    font_ = font;
    editor_->setFont(ToQFont(font));
    viewport()->update();
}

void GridWidget::SetDefaultDrawing(bool on) {
    defaultDrawing_ = on;
    viewport()->update();
}

std::string GridWidget::Cells(int col, int row) const {
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return {};
    return cells_[std::size_t(col) * rowCount_ + row];
}

void GridWidget::SetCells(int col, int row, const std::string& text) {
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return;
    cells_[std::size_t(col) * rowCount_ + row] = text;
    viewport()->update();
}

int GridWidget::ColWidth(int col) const {
    return col >= 0 && col < colCount_ ? colWidths_[col] : 0;
}

void GridWidget::SetColWidth(int col, int pixels) {
    if (col < 0 || col >= colCount_) return;
    colWidths_[col] = std::max(pixels, 0);
    UpdateScrollBars();
    viewport()->update();
}

int GridWidget::RowHeight(int row) const {
    return row >= 0 && row < rowCount_ ? rowHeights_[row] : 0;
}

void GridWidget::SetRowHeight(int row, int pixels) {
    if (row < 0 || row >= rowCount_) return;
    rowHeights_[row] = std::max(pixels, 0);
    UpdateScrollBars();
    viewport()->update();
}

void GridWidget::SetWidth(int pixels) {
    resize(std::max(pixels, 0), height());
}

void GridWidget::SetHeight(int pixels) {
    resize(width(), std::max(pixels, 0));
}

GridRect GridWidget::CellRect(int col, int row) const {
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return {};
    const int left = ColumnAxis().Start(col);
    const int top = RowAxis().Start(row);
    if (left < 0 || top < 0 || colWidths_[col] <= 0 || rowHeights_[row] <= 0) return {};
    if (left >= viewport()->width() || top >= viewport()->height()) return {};
    return GridRect{left, top, left + colWidths_[col], top + rowHeights_[row]};
}

bool GridWidget::MouseToCell(int x, int y, int& col, int& row) const {
    col = ColumnAxis().IndexAt(x);
    row = RowAxis().IndexAt(y);
    if (col >= 0 && row >= 0) return true;
    col = -1;
    row = -1;
    return false;
}

void GridWidget::Repaint() {
    viewport()->update();
}

// Axes over the present geometry; they refer to the size vectors, so they live only briefly.
GridWidget::AxisView GridWidget::ColumnAxis() const {
    return AxisView{colWidths_, fixedCols_, leftCol_, viewport()->width()};
}

GridWidget::AxisView GridWidget::RowAxis() const {
    return AxisView{rowHeights_, fixedRows_, topRow_, viewport()->height()};
}

void GridWidget::SetTopLeft(int leftCol, int topRow) {
    leftCol = std::clamp(leftCol, fixedCols_, ColumnAxis().MaxFirst());
    topRow = std::clamp(topRow, fixedRows_, RowAxis().MaxFirst());
    const bool changed = leftCol != leftCol_ || topRow != topRow_;
    leftCol_ = leftCol;
    topRow_ = topRow;
    updatingScrollBars_ = true;
    horizontalScrollBar()->setValue(leftCol);
    verticalScrollBar()->setValue(topRow);
    updatingScrollBars_ = false;
    if (!changed) return;
    CommitEditor();
    viewport()->update();
    if (OnTopLeftChanged) OnTopLeftChanged();
}

void GridWidget::ScrollIntoView(int col, int row) {
    SetTopLeft(ColumnAxis().FirstShowing(col), RowAxis().FirstShowing(row));
}

void GridWidget::UpdateScrollBars() {
    const AxisView columns = ColumnAxis();
    const AxisView rows = RowAxis();
    updatingScrollBars_ = true;
    horizontalScrollBar()->setRange(fixedCols_, columns.MaxFirst());
    horizontalScrollBar()->setPageStep(columns.FullyShown());
    verticalScrollBar()->setRange(fixedRows_, rows.MaxFirst());
    verticalScrollBar()->setPageStep(rows.FullyShown());
    updatingScrollBars_ = false;
    SetTopLeft(leftCol_, topRow_);
}

void GridWidget::scrollContentsBy(int, int) {
    if (!updatingScrollBars_) {
        SetTopLeft(horizontalScrollBar()->value(), verticalScrollBar()->value());
    }
}

void GridWidget::resizeEvent(QResizeEvent*) {
    UpdateScrollBars();
}

void GridWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), ToQColor(color_, palette()));
    canvas_.Begin(&painter);
    canvas_.SetFont(font_);
    canvas_.SetBrushColor(color_);
    canvas_.SetPenColor(color_);
    const GridRect selection = Selection();
    const AxisView columns = ColumnAxis();
    const AxisView rows = RowAxis();
    for (int row = 0; row < rowCount_; ++row) {
        if (row == fixedRows_) row = std::max(row, topRow_);
        const int top = rows.Start(row);
        if (top >= rows.limit) break;
        for (int col = 0; col < colCount_; ++col) {
            if (col == fixedCols_) col = std::max(col, leftCol_);
            const int left = columns.Start(col);
            if (left >= columns.limit) break;
            const GridRect rect{left, top, left + colWidths_[col], top + rowHeights_[row]};
            const QRect area(left, top, colWidths_[col], rowHeights_[row]);
            if (area.isEmpty() || !event->rect().intersects(area)) continue;
            DrawState state;
            state.fixed = col < fixedCols_ || row < fixedRows_;
            state.selected = !state.fixed && col >= selection.left && col <= selection.right &&
                             row >= selection.top && row <= selection.bottom;
            state.focused = col == col_ && row == row_ && focusWithin_;
            // A cell never paints over its neighbours, whatever its text.
            painter.save();
            painter.setClipRect(area);
            if (defaultDrawing_) DrawDefaultCell(col, row, rect, state);
            if (OnDrawCell) OnDrawCell(col, row, rect, state);
            painter.restore();
        }
    }
    canvas_.End();
}

void GridWidget::DrawDefaultCell(int col, int row, const GridRect& rect, DrawState state) {
    const bool highlighted = state.selected && !state.fixed;
    canvas_.SetBrushColor(state.fixed ? fixedColor_ : highlighted ? kHighlightColor : color_);
    canvas_.FillRect(rect);
    canvas_.SetFontColor(highlighted ? kHighlightTextColor : font_.color);
    canvas_.TextOut(rect.left + kTextMargin, rect.top + kTextMargin, Cells(col, row));
    canvas_.SetPenColor(kButtonShadowColor);
    canvas_.MoveTo(rect.left, rect.bottom - 1);
    canvas_.LineTo(rect.right - 1, rect.bottom - 1);
    canvas_.LineTo(rect.right - 1, rect.top - 1);
    canvas_.SetBrushColor(color_);
    canvas_.SetPenColor(color_);
    canvas_.SetFontColor(font_.color);
}
