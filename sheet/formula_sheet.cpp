#include "sheet/formula_sheet.h"

#include <algorithm>

#include "expr/calc_expression.h"
#include "expr/format_value.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"

namespace {

constexpr int ResultColumn = 1;
constexpr int FormulaColumn = 2;

// Blanks are spaces and control characters.
std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

int FormulaSheet::CurrentLine() const {
    return grid_.grid->Row();
}

void FormulaSheet::EmptyCell(int col, int row) {
    if (CellProperty* p = grid_.CellAt(col, row)) p->text.clear();
}

void FormulaSheet::RecalcLine(int n) {
    CellProperty* formula = grid_.CellAt(FormulaColumn, n);
    CellProperty* result = grid_.CellAt(ResultColumn, n);
    if (!formula || !result || n < 0 || n >= kLineCount) return;
    const bool current = n == CurrentLine();
    const std::string_view text = TrimBlanks(formula->text);
    if (text.empty() && !current) return;  // its value is the sentinel already

    CalcExpression& calc = calc_;
    calc.Calculate(text);
    const bool failed = !text.empty() && calc.ErrorCode != 0;
    const Extended value = (failed || text.empty()) ? ErrorValue : calc.ResultValue;
    calc.LineValues.values[n] = value;
    if (!text.empty())
        result->text = failed ? calc.ErrorText : FormatValue(value, settings_.Modes());
    if (current) window_.ShowDigits(result->text, failed);
}

void FormulaSheet::RecalcAll() {
    const int c = CurrentLine();
    for (int k = 0; k < kLineCount; ++k)
        RecalcLine((c + k) % kLineCount);
}

void FormulaSheet::ChangeCurrentFormula(const std::string& text) {
    const int c = CurrentLine();
    EmptyCell(ResultColumn, c);
    if (CellProperty* formula = grid_.CellAt(FormulaColumn, c)) {
        formula->text = ToHalfWidth(text);
    }
    const bool all = settings_.RTIME != 0;
    for (int k = 0; k < kLineCount; ++k) {
        const int line = (c + k) % kLineCount;
        if (all || line == c) RecalcLine(line);
    }
    grid_.grid->Repaint();
    window_.UpdateStatusBar();
}

void FormulaSheet::ClearSelectedLines() {
    window_.SetInputText("");
    const GridRect selection = grid_.grid->Selection();
    const int top = std::max(selection.top, 0);
    const int bottom = std::min(selection.bottom, kLastLine);
    for (int r = top; r <= bottom; ++r) {
        EmptyCell(ResultColumn, r);
        EmptyCell(FormulaColumn, r);
        calc_.LineValues.values[r] = ErrorValue;
    }
    window_.RefreshWindow(true);
}

void FormulaSheet::ClearAllLines() {
    for (int r = 0; r < kLineCount; ++r) {
        EmptyCell(ResultColumn, r);
        EmptyCell(FormulaColumn, r);
    }
    calc_.LineValues.ClearValues();
}

void LayOutSheetGrid(ExtendStringGrid& sheetGrid, GridControl& grid, int resultChars) {
    sheetGrid.AttachGrid(grid);
    sheetGrid.SetGridSize(3, kLineCount);
    sheetGrid.FitCells(KeepValue, KeepValue, {5, resultChars, -1});
    for (int line = 0; line < kLineCount; ++line) {
        sheetGrid.CellAt(0, line)->text = "A" + std::to_string(line);
        sheetGrid.CellAt(ResultColumn, line)->align = 2;
    }
}
