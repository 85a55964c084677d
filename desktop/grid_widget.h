#pragma once
// The desktop string grid: fixed columns and rows, a current cell with its click event, range
// and row selection, an in-place editor and owner drawing through a canvas.

#include <QAbstractScrollArea>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "desktop/painter_canvas.h"
#include "platform/grid_axis.h"
#include "platform/grid_control.h"

class QKeyEvent;
class QLineEdit;

class GridWidget : public QAbstractScrollArea, public GridControl {
    Q_OBJECT

public:
    explicit GridWidget(QWidget* parent = nullptr);
    ~GridWidget() override;

    int ColCount() const override { return colCount_; }
    void SetColCount(int count) override;
    int RowCount() const override { return rowCount_; }
    void SetRowCount(int count) override;
    int FixedCols() const override { return fixedCols_; }
    void SetFixedCols(int count) override;
    int FixedRows() const override { return fixedRows_; }
    void SetFixedRows(int count) override;

    int Col() const override { return col_; }
    void SetCol(int col) override;
    int Row() const override { return row_; }
    void SetRow(int row) override;
    GridRect Selection() const override;
    // The rows where the selection is anchored and where its moving end is.
    int AnchorRow() const { return anchor_.row; }
    int ExtentRow() const { return extent_.row; }
    // Selects the rows anchorRow..extentRow in the current column; the current cell stays. Only
    // with range selection on.
    void SelectRows(int anchorRow, int extentRow);
    // Whether the wheel scrolls the grid; otherwise its notches go on to the grid's parent.
    void SetWheelScrolls(bool on) { wheelScrolls_ = on; }

    bool RangeSelect() const override { return rangeSelect_; }
    void SetRangeSelect(bool on) override;
    bool RowSelect() const override { return rowSelect_; }
    void SetRowSelect(bool on) override;
    bool Editing() const override { return editing_; }
    void SetEditing(bool on) override;
    bool EditorMode() const override { return editorOpen_; }

    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool on) override;
    bool SetFocus() override;

    PlatformColor Color() const override { return color_; }
    PlatformColor FixedColor() const override { return fixedColor_; }
    const GridFont& Font() const override { return font_; }
    void SetFont(const GridFont& font) override;
    bool DefaultDrawing() const override { return defaultDrawing_; }
    void SetDefaultDrawing(bool on) override;

    std::string Cells(int col, int row) const override;
    void SetCells(int col, int row, const std::string& text) override;
    int ColWidth(int col) const override;
    void SetColWidth(int col, int pixels) override;
    int RowHeight(int row) const override;
    void SetRowHeight(int row, int pixels) override;
    int Width() const override { return width(); }
    void SetWidth(int pixels) override;
    int Height() const override { return height(); }
    void SetHeight(int pixels) override;

    GridRect CellRect(int col, int row) const override;
    bool MouseToCell(int x, int y, int& col, int& row) const override;
    void Repaint() override;
    Canvas& CanvasRef() override { return canvas_; }

    // The tip shown over a cell (the whole text of one cut short, for example); empty: none.
    std::function<QString(int col, int row)> cellToolTip;
    // The text a cell shows when its owner draws it rather than the grid's strings (a screen
    // reader reads it); empty: the grid's own string.
    std::function<std::string(int col, int row)> shownText;
    // For a screen reader: the reading of a whole row, which then stands as one cell of the
    // grid's accessible table; empty: the cells one by one.
    std::function<QString(int row)> lineReading;
    // For a screen reader: what it hears when the selection changes while the current cell
    // stays (the sum of the selected lines); empty: nothing.
    std::function<QString()> selectionReading;

    // Whether a drag past the edge is scrolling the grid.
    bool AutoScrolling() const { return autoScrollTimer_.isActive(); }
    // The first scrolling column and row shown after the fixed ones.
    int LeftCol() const { return leftCol_; }
    int TopRow() const { return topRow_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct Cell {
        int col;
        int row;
    };
    using AxisView = GridAxis;  // pixel geometry along one axis, in viewport coordinates

    // Moves the current cell if the cell may become current. Every move collapses the
    // selection; moves by the program and the keys raise OnClick, mouse picks on release.
    bool MoveCurrent(int col, int row, bool raiseClick);
    void CollapseSelection();
    bool IsSelectable(int col, int row) const;
    void AfterStructureChange();
    bool HandleGridKey(int key, ShiftState shift);
    void MoveByKey(int cols, int rows, bool extend);

    AxisView ColumnAxis() const;
    AxisView RowAxis() const;
    void SetTopLeft(int leftCol, int topRow);
    void ScrollIntoView(int col, int row);
    void UpdateScrollBars();

    Cell ScrollingCellNear(QPoint pos) const;
    bool IsOutsideScrollingArea(QPoint pos) const;
    void ExtendSelectionTo(QPoint pos);
    void AutoScroll();

    void OpenEditor();
    void CommitEditor();
    void CancelEditor();
    void CloseEditor();
    void UpdateFocusWithin(QFocusEvent* event);

    void DrawDefaultCell(int col, int row, const GridRect& rect, DrawState state);

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    std::vector<std::string> cells_;  // column by column

    int col_ = 1;
    int row_ = 1;
    Cell anchor_{1, 1};  // the fixed corner of the selection
    Cell extent_{1, 1};  // the corner that follows the mouse or Shift+keys
    int leftCol_ = 1;
    int topRow_ = 1;

    bool rangeSelect_ = false;
    bool rowSelect_ = false;
    bool editing_ = false;
    bool editorOpen_ = false;
    bool enabled_ = true;
    bool focusWithin_ = false;
    bool defaultDrawing_ = true;
    PlatformColor color_ = kWindowColor;
    PlatformColor fixedColor_ = kButtonFaceColor;
    GridFont font_;
    PainterCanvas canvas_;

    bool selecting_ = false;  // the left button went down on a non-fixed cell
    QPoint lastMousePos_;
    QTimer autoScrollTimer_;
    int wheelRemainder_ = 0;
    bool wheelScrolls_ = true;
    bool updatingScrollBars_ = false;

    QLineEdit* editor_ = nullptr;
    Cell editCell_{0, 0};
};
