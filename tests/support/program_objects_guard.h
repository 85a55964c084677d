#pragma once
// The program-wide objects of a test's own, installed while the guard lives: a settings record
// at its defaults (reading and writing no file), an evaluator, a grid object and a spreadsheet
// link. The previous objects come back when the guard goes.

#include "export/excel_control.h"
#include "expr/calc_expression.h"
#include "expr/constant_file.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"

class ProgramObjectsGuard {
public:
    // With defaultConstants the list holds PI and C, as after a first start.
    explicit ProgramObjectsGuard(bool defaultConstants = true)
        : savedRecord_(executeParameter),
          savedCalc_(calcExpression),
          savedGrid_(extendStringGrid),
          savedExcel_(excelControl) {
        executeParameter = &record;
        calcExpression = &calc;
        extendStringGrid = &grid;
        excelControl = &excel;
        if (defaultConstants) AddDefaultConstants(calc.Constants);
    }
    ~ProgramObjectsGuard() {
        executeParameter = savedRecord_;
        calcExpression = savedCalc_;
        extendStringGrid = savedGrid_;
        excelControl = savedExcel_;
    }
    ProgramObjectsGuard(const ProgramObjectsGuard&) = delete;
    ProgramObjectsGuard& operator=(const ProgramObjectsGuard&) = delete;

    ExecuteParameter record;
    CalcExpression calc;
    ExtendStringGrid grid;
    ExcelControl excel;

private:
    ExecuteParameter* savedRecord_;
    CalcExpression* savedCalc_;
    ExtendStringGrid* savedGrid_;
    ExcelControl* savedExcel_;
};
