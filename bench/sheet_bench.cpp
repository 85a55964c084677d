// The sheet's per-keystroke work: a full recalculation of 100 lines that refer to each other,
// use named constants and functions, with every result formatted.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "bench/floor_sheet.h"
#include "expr/constant_file.h"
#include "sheet/formula_sheet.h"
#include "tests/sheet/sheet_fixture.h"

namespace {

class QuietWindow : public SheetWindow {
public:
    void ShowDigits(const std::string&, bool) override {}
    void UpdateStatusBar() override {}
    void SetInputText(const std::string&) override {}
    void RefreshWindow(bool) override {}
};

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

// A sheet of 100 non-empty lines with line 50 current, calculated once.
struct FullSheet {
    SheetObjects objects;
    QuietWindow window;
    FormulaSheet sheet{window, objects.esg, objects.calc, objects.settings};

    FullSheet() {
        AddDefaultConstants(objects.calc.Constants);
        objects.calc.Degree = 1;
        objects.Formula(0) = "1.5";
        for (int i = 1; i < 100; ++i)
            objects.Formula(i) = LineFormula(i);
        objects.SelectLine(50);
        sheet.RecalcAll();
        sheet.RecalcAll();
    }
};

void BM_RecalcAllFullSheet(benchmark::State& state) {
    FullSheet s;
    int failed = 0;
    for (int i = 0; i < 100; ++i)
        failed += s.objects.Result(i).empty() || s.objects.calc.ErrorCode;
    for (auto _ : state) {
        s.sheet.RecalcAll();
        benchmark::DoNotOptimize(s.objects.calc.LineValues.values.data());
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
        const long double ours = s.objects.calc.LineValues.values[i];
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
    s.objects.settings.RTIME = rtime;
    const std::string texts[2] = {LineFormula(50), LineFormula(50) + "+1"};
    int k = 0;
    for (auto _ : state) {
        s.sheet.ChangeCurrentFormula(texts[k]);
        k ^= 1;
        benchmark::DoNotOptimize(s.objects.calc.LineValues.values.data());
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
    for (auto _ : state) {
        s.objects.grid.PaintAll();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintFullSheet)->Unit(benchmark::kMicrosecond);

}  // namespace
