#pragma once
// The 100 formula lines: which lines are recalculated and in which order, where their values
// go (the evaluator's LineValues) and which texts the grid shows. The lines are the rows of the
// grid object: column 1 holds the result text, column 2 the formula.

#include <string>
#include <string_view>

#include "expr/half_width.h"
#include "platform/grid_control.h"
#include "sheet/line_count.h"
#include "sheet/sheet_window.h"

class CalcExpression;
class ExecuteParameter;
class ExtendStringGrid;

class FormulaSheet {
public:
    // The sheet shows its lines in grid (laid out by LayOutSheetGrid), evaluates them with calc
    // and formats and recalculates them as settings say.
    FormulaSheet(SheetWindow& window, ExtendStringGrid& grid, CalcExpression& calc,
                 const ExecuteParameter& settings)
        : window_(window), grid_(grid), calc_(calc), settings_(settings) {}

    // Evaluates line n and writes its value and result text; the current line's result also
    // goes to the digit display.
    void RecalcLine(int n);
    // One pass over all lines in ring order from the current line.
    void RecalcAll();
    // Stores text as the current line's formula and recalculates (all lines when RTIME is on).
    void ChangeCurrentFormula(const std::string& text);
    // Empties the lines of the grid's selected rows and refreshes the window with recalculation.
    void ClearSelectedLines();
    // Empties every line and every value; recalculates nothing.
    void ClearAllLines();

private:
    int CurrentLine() const;
    void EmptyCell(int col, int row);

    SheetWindow& window_;
    ExtendStringGrid& grid_;
    CalcExpression& calc_;
    const ExecuteParameter& settings_;
};

// Attaches the grid object sheetGrid to grid and lays out the sheet: 3 columns by 100 rows,
// column widths of 5 characters, resultChars characters (0 hides the results) and the default,
// the labels A0..A99, and right-aligned results.
void LayOutSheetGrid(ExtendStringGrid& sheetGrid, GridControl& grid, int resultChars);
