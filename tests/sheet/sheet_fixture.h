#pragma once
// A settings record, an evaluator and a grid object of the test's own (attached to a fake grid
// set up like the main window's sheet), for a sheet to be built over them; and a sheet window
// that records what the sheet asks of it.

#include <string>
#include <vector>

#include "expr/calc_expression.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "sheet/formula_sheet.h"
#include "tests/sheet/fake_grid.h"

struct SheetObjects {
    SheetObjects() : grid(3, kLineCount) {
        // The sheet grid as the main window configures it.
        grid.fixedCols = 2;
        grid.fixedRows = 0;
        grid.rangeSelect = true;
        grid.font.bold = true;
        LayOutSheetGrid(esg, grid, settings.RWIDTH);
        grid.canvas.calls.clear();
        grid.canvas.recording = false;
    }

    // Makes line r current as a row change by the program does (the selection collapses).
    void SelectLine(int r) { grid.SetRow(r); }
    std::string& Formula(int r) { return esg.CellAt(2, r)->text; }
    std::string& Result(int r) { return esg.CellAt(1, r)->text; }
    Extended Value(int r) const { return calc.LineValues.values[r]; }

    ExecuteParameter settings;
    CalcExpression calc;
    FakeGrid grid;
    ExtendStringGrid esg;
};

// Records every request as one line ("digits '2'", "digits '' failed", "status",
// "input ''", "refresh recalc"). With a sheet attached it also does what the main window does:
// a changed input text stores the formula, a refresh with recalculation recalculates all lines.
class RecordingSheetWindow : public SheetWindow {
public:
    std::vector<std::string> calls;
    FormulaSheet* sheet = nullptr;
    std::string inputText;

    void ShowDigits(const std::string& text, bool failed) override {
        calls.push_back("digits '" + text + "'" + (failed ? " failed" : ""));
    }
    void UpdateStatusBar() override { calls.push_back("status"); }
    void SetInputText(const std::string& text) override {
        calls.push_back("input '" + text + "'");
        if (text == inputText) return;  // an unchanged text raises no change
        inputText = text;
        if (sheet) sheet->ChangeCurrentFormula(text);
    }
    void RefreshWindow(bool recalculate) override {
        calls.push_back(recalculate ? "refresh recalc" : "refresh");
        if (sheet && recalculate) sheet->RecalcAll();
    }
};
