#pragma once
// A settings record and an evaluator of the test's own (no files), installed as the program-wide
// objects while the guard lives; the previous objects come back afterwards.

#include "expr/calc_expression.h"
#include "expr/constant_file.h"
#include "settings/execute_parameter.h"

class GlobalsGuard {
public:
    // With defaultConstants the list holds PI and C, as after a first start.
    explicit GlobalsGuard(bool defaultConstants = true)
        : savedRecord_(executeParameter), savedCalc_(calcExpression) {
        executeParameter = &record;
        calcExpression = &calc;
        if (defaultConstants) AddDefaultConstants(calc.Constants);
    }
    ~GlobalsGuard() {
        executeParameter = savedRecord_;
        calcExpression = savedCalc_;
    }
    GlobalsGuard(const GlobalsGuard&) = delete;
    GlobalsGuard& operator=(const GlobalsGuard&) = delete;

    ExecuteParameter record;
    CalcExpression calc;

private:
    ExecuteParameter* savedRecord_;
    CalcExpression* savedCalc_;
};
