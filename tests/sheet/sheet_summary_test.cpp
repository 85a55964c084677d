#include "sheet/sheet_summary.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "expr/calc_expression.h"
#include "settings/execute_parameter.h"
#include "sheet/sheet_document.h"

// The three panels over the selected lines or all of them: lines without a value are skipped,
// never counted, and the figures show from two values on, formatted as the results are.
TEST(SheetSummary, PanelTexts) {
    const struct {
        const char* name;
        std::map<int, std::string> formulas;
        LineSelection selection;
        bool allLines;
        int cmode, vmode;
        std::array<std::string, 3> panels;
    } rows[] = {
        {"selection skips a failing line",
         {{3, "1"}, {4, "2"}, {5, "1/0"}, {6, "6"}, {8, "100"}},
         {3, 6},
         false,
         0,
         0,
         {" Sum 9", " Avg. 3", " n 3"}},
        {"a single line shows the labels",
         {{2, "5"}, {3, "7"}},
         {3, 3},
         false,
         0,
         0,
         {" Sum ", " Avg. ", " n "}},
        {"a selection of empty lines",
         {{0, "5"}, {9, "5"}},
         {2, 7},
         false,
         0,
         0,
         {" Sum ", " Avg. ", " n "}},
        {"all lines: one value", {{0, "5"}}, {50, 50}, true, 0, 0, {" Sum ", " Avg. ", " n "}},
        {"all lines: gaps and errors skipped",
         {{0, "5"}, {2, "SQRT(-1)"}, {3, "1"}, {5, "2*3"}},
         {50, 50},
         true,
         0,
         0,
         {" Sum 12", " Avg. 4", " n 3"}},
        {"grouped digits",
         {{0, "999999"}, {1, "1"}},
         {0, 0},
         true,
         0,
         0,
         {" Sum 1,000,000", " Avg. 500,000", " n 2"}},
        {"hexadecimal as the results",
         {{0, "HFF"}, {1, "H101"}},
         {0, 1},
         false,
         1,
         1,
         {" Sum 00000200", " Avg. 00000100", " n 2"}},
    };
    for (const auto& row : rows) {
        ExecuteParameter settings;
        settings.CMODE = row.cmode;
        settings.VMODE = row.vmode;
        CalcExpression calc;
        SheetDocument sheet(calc, settings);
        FormulaFileContent content;
        for (const auto& [line, formula] : row.formulas)
            content.formulas[line] = formula;
        sheet.Load(content, {}, {});
        sheet.Select(row.selection);
        EXPECT_EQ(SummaryTexts(sheet, row.allLines, settings.Modes()), row.panels) << row.name;
    }
}
