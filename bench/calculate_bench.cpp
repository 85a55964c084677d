#include <benchmark/benchmark.h>

#include <string>

#include "expr/calc_expression.h"
#include "expr/format_value.h"

namespace {

// An evaluator as the sheet uses it: degrees, the default constants, line 3 holding a value.
void Prepare(CalcExpression& calc) {
    calc.Degree = 1;
    calc.Constants = {"PI=3.1415926535897932384626433832795", "C=299792.5E+3", "TWOPI=2*PI"};
    calc.LineValues.values[3] = 42.5L;
}

// A formula of exactly 300 characters (the input line's limit) with groups, calls, line
// references, hexadecimal and exponent literals.
std::string LongFormula() {
    std::string formula;
    for (int i = 0; i < 9; ++i)
        formula += "(1.25+A3*2)/(3-SIN(30))+H1F*2-";
    return formula + "(1.25+A3*2)/(3-SIN(30))+2E-1*9";
}

void RunCalculate(benchmark::State& state, const std::string& formula, bool format) {
    CalcExpression calc;
    Prepare(calc);
    calc.Calculate(formula);
    if (calc.ErrorCode != 0) {
        state.SkipWithError(("formula fails: " + calc.ErrorText).c_str());
        return;
    }
    const DisplayModes modes;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc.Calculate(formula));
        if (format) benchmark::DoNotOptimize(FormatValue(calc.ResultValue, modes));
    }
    state.SetLabel(std::to_string(formula.size()) + " chars");
}

void BM_CalculateNumber(benchmark::State& state) {
    RunCalculate(state, "12345.678", false);
}
void BM_CalculateSimple(benchmark::State& state) {
    RunCalculate(state, "1+2*3", false);
}
void BM_CalculateTypical(benchmark::State& state) {
    RunCalculate(state, "SIN(30)*A3+2^10/(1.5E3-H1F)", false);
}
void BM_CalculateTypicalFormatted(benchmark::State& state) {
    RunCalculate(state, "SIN(30)*A3+2^10/(1.5E3-H1F)", true);
}
void BM_CalculateLong(benchmark::State& state) {
    RunCalculate(state, LongFormula(), false);
}
void BM_CalculateFormulaConstant(benchmark::State& state) {
    RunCalculate(state, "1/TWOPI", false);
}

// A formula that fails (the common case while a formula is being typed).
void BM_CalculateIncomplete(benchmark::State& state) {
    CalcExpression calc;
    Prepare(calc);
    for (auto _ : state)
        benchmark::DoNotOptimize(calc.Calculate("SIN(30)*A3+2^10/(1.5E3-"));
}

// A few kilobytes of flat text: the operand limit ends it early, nothing grows faster than the
// text.
void BM_CalculateFourKilobytes(benchmark::State& state) {
    CalcExpression calc;
    Prepare(calc);
    std::string formula;
    while (formula.size() < 4096)
        formula += "(1+2)*3-";
    for (auto _ : state)
        benchmark::DoNotOptimize(calc.Calculate(formula));
    state.SetLabel(calc.ErrorText);
}

}  // namespace

BENCHMARK(BM_CalculateNumber);
BENCHMARK(BM_CalculateSimple);
BENCHMARK(BM_CalculateTypical);
BENCHMARK(BM_CalculateTypicalFormatted);
BENCHMARK(BM_CalculateLong);
BENCHMARK(BM_CalculateFormulaConstant);
BENCHMARK(BM_CalculateIncomplete);
BENCHMARK(BM_CalculateFourKilobytes);
