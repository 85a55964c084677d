#pragma once
// Companion of a string grid control: keeps one CellProperty record per cell, draws every cell
// from its record (a line too long for its cell is cut: a number keeps its sign, integer part and
// exponent, any other text ends in a cut mark; text on a colour the object fixes in a colour that
// reads there), sizes columns and rows in characters of the grid's font (as wide as its widest
// digit or sign), moves the current cell past fixed cells and keeps a limited set of marked cells.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/grid_control.h"
#include "sheet/cell_property.h"

class ExtendStringGrid {
public:
    ExtendStringGrid();
    virtual ~ExtendStringGrid();
    ExtendStringGrid(const ExtendStringGrid&) = delete;
    ExtendStringGrid& operator=(const ExtendStringGrid&) = delete;

    // Binds the object to grid and configures it; must come before any other operation.
    void AttachGrid(GridControl& grid);
    // Sets the grid's column and row count and recreates every cell record.
    void SetGridSize(int cols, int rows);
    // Sizes the control (KeepValue leaves a dimension), every column and every row in units of
    // the font's widest digit or sign. A missing entry, or the first negative one, means the
    // default for this and every later column (row); 0 hides it.
    void FitCells(int widthChars, int heightLines, const std::vector<std::int32_t>& colChars = {},
                  const std::vector<std::int32_t>& rowLines = {});
    // Draws one cell into the pixel rectangle rect.
    void PaintCell(int col, int row, const GridRect& rect, DrawState state);
    // The record of a cell, or nullptr outside the grid.
    CellProperty* CellAt(int col, int row);
    const CellProperty* CellAt(int col, int row) const;
    int MarkedCount() const;
    // Whether every line of the cell's text fits its column; a cell that does not shows a cut
    // mark in place of the rest.
    bool TextFits(int col, int row);
    // Moves the grid's current cell; KeepValue keeps a coordinate, both KeepValue take the
    // first non-fixed cell. False for a cell outside the grid or a fixed cell.
    bool SetCurrentCell(int col, int row);

    virtual void Changed();
    virtual void SelectionChanged();
    // mode 0 unmarks, any other mode toggles; KeepValue is the current column (row), -2 every one.
    virtual void MarkCells(int col, int row, int mode);
    virtual void GridClick();
    virtual void GridDrawCell(int col, int row, const GridRect& rect, DrawState state);
    virtual void GridEnter();
    virtual void GridExit();
    virtual void GridGetEditText(int col, int row, std::string& text);
    virtual void GridKeyDown(int& key, ShiftState shift);
    virtual void GridMouseDown(MouseButton button, ShiftState shift, int x, int y);
    virtual void GridMouseMove(ShiftState shift, int x, int y);
    virtual void GridSelectCell(int col, int row, bool& canSelect);
    virtual void GridSetEditText(int col, int row, const std::string& text);
    virtual void GridTopLeftChanged();

    std::vector<std::string> lines;  // scratch list reused by every paint
    std::vector<CellProperty> cells;
    std::int32_t cellCount = 0;
    CellStyle normalStyle;
    CellStyle markStyle;
    CellStyle focusStyle;
    std::int32_t marginX = 5;
    std::int32_t marginY = 3;
    std::int32_t defaultColChars = 10;
    std::int32_t defaultRowLines = 1;
    std::int32_t charWidth = 0;
    std::int32_t charHeight = 0;
    std::int32_t frameWidth = 1;
    std::int32_t layout = 0;  // order of cells: 0 column by column, 1 row by row
    std::int32_t markLimit = 0;
    std::int32_t hoverCol = KeepValue;
    std::int32_t hoverRow = KeepValue;
    std::int32_t ownerDraw = 1;
    std::int32_t hasFocus = 0;
    GridControl* grid = nullptr;
    Canvas* canvas = nullptr;

private:
    bool IsFixed(int col, int row) const;
    // Splits the first maxLines display lines of text into lines, each cut to its first
    // maxCharacters characters: what a cell can show, whatever the length of its text.
    void SplitLines(const std::string& text, std::size_t maxLines, std::size_t maxCharacters);
    // Shortens line to what fits avail pixels, a number cut inside its fraction, any other text
    // at its end with a cut mark; returns the new width.
    int CutToWidth(std::string& line, int avail);
    // Steps the current cell along one axis for a cursor key, wrapping around.
    void StepColumn(int step);
    void StepRow(int step);
};
