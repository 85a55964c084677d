// The sheet's per-keystroke work: a full recalculation of 100 lines that refer to each other,
// use named constants and functions, with every result formatted.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "bench/floor_sheet.h"
#include "expr/calc_expression.h"
#include "expr/constant_file.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "sheet/sheet_document.h"
#include "tests/sheet/fake_grid.h"

namespace {

std::string LineFormula(int i) {
    const std::string prev = "A" + std::to_string(i - 1);
    const std::string earlier = "A" + std::to_string(i / 2);
    switch (i % 4) {
        case 0:
            return prev + "*0.5+SIN(30)";
        case 1:
            return "SQRT(1+" + prev + "*" + prev + ")+PI";
        case 2:
            return "(" + prev + "-" + earlier + ")/3+LOG(10)*C/1E8";
        default:
            return prev + "^2/1E3+COS(" + earlier + ")-12.5";
    }
}

// A sheet of 100 non-empty lines with line 50 current, calculated twice.
struct FullSheet {
    ExecuteParameter settings;
    CalcExpression calc;
    SheetDocument sheet{calc, settings};

    FullSheet() {
        AddDefaultConstants(calc.Constants);
        FormulaFileContent content;
        content.formulas[0] = "1.5";
        for (int i = 1; i < 100; ++i)
            content.formulas[i] = LineFormula(i);
        content.currentLine = 50;
        sheet.Load(content, {}, {});
        sheet.RecalcAll();
    }
};

void BM_RecalcAllFullSheet(benchmark::State& state) {
    FullSheet s;
    int failed = 0;
    for (int i = 0; i < 100; ++i)
        failed += s.sheet.Result(i).empty() || s.sheet.Failed(i);
    for (auto _ : state) {
        s.sheet.RecalcAll();
        benchmark::DoNotOptimize(s.calc.LineValues.values.data());
    }
    state.counters["lines"] = 100;
    state.counters["failed"] = failed;
}
BENCHMARK(BM_RecalcAllFullSheet)->Unit(benchmark::kMicrosecond);

// The same sheet through the bare evaluator: the floor of BM_RecalcAllFullSheet.
void BM_FloorRecalcAllFullSheet(benchmark::State& state) {
    FloorSheet floor;
    floor.formulas[0] = "1.5";
    for (int i = 1; i < kLineCount; ++i)
        floor.formulas[i] = LineFormula(i);
    floor.RecalcAll(50);
    floor.RecalcAll(50);
    FullSheet s;
    int disagreeing = 0;
    for (int i = 0; i < kLineCount; ++i) {
        const long double ours = s.sheet.Value(i);
        disagreeing += std::fabs(floor.values[i] - ours) > 1e-12L * std::fabs(ours);
    }
    for (auto _ : state) {
        floor.RecalcAll(50);
        benchmark::DoNotOptimize(floor.values);
    }
    state.counters["disagreeing"] = disagreeing;
}
BENCHMARK(BM_FloorRecalcAllFullSheet)->Unit(benchmark::kMicrosecond);

// One keystroke: the current line's formula changes, then with RTIME on every line follows.
void Keystrokes(benchmark::State& state, int rtime) {
    FullSheet s;
    s.settings.RTIME = rtime;
    const std::string texts[2] = {LineFormula(50), LineFormula(50) + "+1"};
    int k = 0;
    for (auto _ : state) {
        s.sheet.ChangeCurrentFormula(texts[k]);
        k ^= 1;
        benchmark::DoNotOptimize(s.calc.LineValues.values.data());
    }
}
void BM_ChangeCurrentFormulaRtime(benchmark::State& state) {
    Keystrokes(state, 1);
}
void BM_ChangeCurrentFormulaCurrentOnly(benchmark::State& state) {
    Keystrokes(state, 0);
}
BENCHMARK(BM_ChangeCurrentFormulaRtime)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChangeCurrentFormulaCurrentOnly)->Unit(benchmark::kMicrosecond);

// Painting every cell of the sheet once, as a full repaint of the grid does.
void BM_PaintFullSheet(benchmark::State& state) {
    FullSheet s;
    FakeGrid grid(3, kLineCount);
    grid.fixedCols = 2;
    grid.fixedRows = 0;
    ExtendStringGrid records;
    records.AttachGrid(grid);
    records.SetGridSize(3, kLineCount);
    records.FitCells(KeepValue, KeepValue, {5, s.settings.RWIDTH, -1});
    for (int line = 0; line < kLineCount; ++line) {
        records.CellAt(0, line)->text = SheetDocument::Label(line);
        records.CellAt(1, line)->text = s.sheet.Result(line);
        records.CellAt(1, line)->align = 2;
        records.CellAt(2, line)->text = s.sheet.Formula(line);
    }
    grid.canvas.recording = false;
    for (auto _ : state) {
        grid.PaintAll();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintFullSheet)->Unit(benchmark::kMicrosecond);

}  // namespace
