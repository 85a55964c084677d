#pragma once
// A grid control kept in memory: the sheet without a window (the command line) and the tests
// use it. It raises its events as the desktop grid does; its canvas measures text in fixed
// character cells and draws nothing.

#include <string>
#include <vector>

#include "platform/grid_control.h"

class MeasuringCanvas : public Canvas {
public:
    int charWidth = 7;
    int charHeight = 14;

    void SetFont(const GridFont&) override {}
    int TextWidth(const std::string& text) override { return charWidth * Characters(text); }
    int TextHeight(const std::string&) override { return charHeight; }
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void FillRect(const GridRect&) override {}
    void SetPenColor(PlatformColor) override {}
    void SetBrushColor(PlatformColor) override {}
    void SetFontColor(PlatformColor) override {}
    void TextOut(int, int, const std::string&) override {}

    // UTF-8 characters, not bytes.
    static int Characters(const std::string& text) {
        int n = 0;
        for (unsigned char byte : text)
            n += (byte & 0xC0) != 0x80;
        return n;
    }
};

class MemoryGrid : public GridControl {
public:
    explicit MemoryGrid(int cols = 5, int rows = 5) { Resize(cols, rows); }

    int colCount = 0, rowCount = 0, fixedCols = 1, fixedRows = 1;
    int col = 1, row = 1;
    GridRect selection{1, 1, 1, 1};
    bool rangeSelect = false, rowSelect = false, editing = false, editorMode = false;
    bool enabled = true, canFocus = true, defaultDrawing = true;
    int focusRequests = 0, repaints = 0, clicks = 0;
    PlatformColor color = kWindowColor, fixedColor = kButtonFaceColor;
    GridFont font;
    int width = 0, height = 0;
    std::vector<std::vector<std::string>> strings;  // [col][row]
    std::vector<int> colWidths, rowHeights;

    int ColCount() const override { return colCount; }
    void SetColCount(int count) override { Resize(count, rowCount); }
    int RowCount() const override { return rowCount; }
    void SetRowCount(int count) override { Resize(colCount, count); }
    int FixedCols() const override { return fixedCols; }
    void SetFixedCols(int count) override { fixedCols = count; }
    int FixedRows() const override { return fixedRows; }
    void SetFixedRows(int count) override { fixedRows = count; }

    int Col() const override { return col; }
    void SetCol(int c) override { MoveTo(c, row); }
    int Row() const override { return row; }
    void SetRow(int r) override { MoveTo(col, r); }
    GridRect Selection() const override { return selection; }

    bool RangeSelect() const override { return rangeSelect; }
    void SetRangeSelect(bool on) override { rangeSelect = on; }
    bool RowSelect() const override { return rowSelect; }
    void SetRowSelect(bool on) override { rowSelect = on; }
    bool Editing() const override { return editing; }
    void SetEditing(bool on) override { editing = on; }
    bool EditorMode() const override { return editorMode; }

    bool Enabled() const override { return enabled; }
    void SetEnabled(bool on) override { enabled = on; }
    bool SetFocus() override {
        ++focusRequests;
        return canFocus;
    }

    PlatformColor Color() const override { return color; }
    PlatformColor FixedColor() const override { return fixedColor; }
    const GridFont& Font() const override { return font; }
    void SetFont(const GridFont& f) override { font = f; }
    bool DefaultDrawing() const override { return defaultDrawing; }
    void SetDefaultDrawing(bool on) override { defaultDrawing = on; }

    std::string Cells(int c, int r) const override {
        return Inside(c, r) ? strings[c][r] : std::string();
    }
    void SetCells(int c, int r, const std::string& text) override {
        if (Inside(c, r)) strings[c][r] = text;
    }
    int ColWidth(int c) const override { return c >= 0 && c < colCount ? colWidths[c] : 0; }
    void SetColWidth(int c, int pixels) override {
        if (c >= 0 && c < colCount) colWidths[c] = pixels;
    }
    int RowHeight(int r) const override { return r >= 0 && r < rowCount ? rowHeights[r] : 0; }
    void SetRowHeight(int r, int pixels) override {
        if (r >= 0 && r < rowCount) rowHeights[r] = pixels;
    }
    int Width() const override { return width; }
    void SetWidth(int pixels) override { width = pixels; }
    int Height() const override { return height; }
    void SetHeight(int pixels) override { height = pixels; }

    // No scrolling: cells lie side by side from (0, 0).
    GridRect CellRect(int c, int r) const override {
        if (!Inside(c, r)) return {};
        GridRect rect;
        for (int i = 0; i < c; ++i)
            rect.left += colWidths[i];
        for (int i = 0; i < r; ++i)
            rect.top += rowHeights[i];
        rect.right = rect.left + colWidths[c];
        rect.bottom = rect.top + rowHeights[r];
        return rect;
    }
    bool MouseToCell(int x, int y, int& c, int& r) const override {
        for (int i = 0; i < colCount; ++i) {
            for (int j = 0; j < rowCount; ++j) {
                const GridRect rect = CellRect(i, j);
                if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) {
                    c = i;
                    r = j;
                    return true;
                }
            }
        }
        return false;
    }
    void Repaint() override { ++repaints; }
    Canvas& CanvasRef() override { return *canvas_; }
    // Draws on canvas instead of measuring only; the caller keeps it alive.
    void UseCanvas(Canvas& canvas) { canvas_ = &canvas; }

    // Paints every cell through the draw-cell event, as a repaint of the widget would.
    void PaintAll() {
        for (int c = 0; c < colCount; ++c) {
            for (int r = 0; r < rowCount; ++r) {
                const bool fixed = c < fixedCols || r < fixedRows;
                const bool selected = !fixed && c >= selection.left && c <= selection.right &&
                                      r >= selection.top && r <= selection.bottom;
                if (OnDrawCell) OnDrawCell(c, r, CellRect(c, r), {selected, false, fixed});
            }
        }
    }

private:
    MeasuringCanvas measuring_;
    Canvas* canvas_ = &measuring_;

    bool Inside(int c, int r) const { return c >= 0 && r >= 0 && c < colCount && r < rowCount; }

    void Resize(int cols, int rows) {
        colCount = cols;
        rowCount = rows;
        strings.resize(cols);
        for (auto& column : strings)
            column.resize(rows);
        colWidths.resize(cols, 64);
        rowHeights.resize(rows, 24);
    }

    // A move by the program raises the click event and collapses the selection.
    void MoveTo(int c, int r) {
        if (c == col && r == row) return;
        col = c;
        row = r;
        selection = {c, r, c, r};
        ++clicks;
        if (OnClick) OnClick();
    }
};
