#pragma once
// A test's own program objects, handed to the windows it builds: a settings record at its
// defaults (reading and writing no file), an evaluator, the sheet, a grid object and a
// spreadsheet link.

#include "export/excel_control.h"
#include "expr/calc_expression.h"
#include "expr/constant_file.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "sheet/sheet_document.h"

struct TestProgramObjects {
    // With defaultConstants the list holds PI and C, as after a first start.
    explicit TestProgramObjects(bool defaultConstants = true) {
        if (defaultConstants) AddDefaultConstants(calc.Constants);
    }
    TestProgramObjects(const TestProgramObjects&) = delete;
    TestProgramObjects& operator=(const TestProgramObjects&) = delete;

    ExecuteParameter record;
    CalcExpression calc;
    SheetDocument sheet{calc, record};
    ExtendStringGrid grid;
    ExcelControl excel;
};
