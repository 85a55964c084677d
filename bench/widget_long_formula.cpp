// One repaint of the sheet while line 0 holds a formula of the given length in bytes, as a
// formula file with a 10 MB formula leaves it: the cost should not depend on the length.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "export/excel_control.h"
#include "expr/calc_expression.h"
#include "platform/desktop/grid_widget.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "ui/tfmmain.h"

namespace {

void BM_RepaintWithLongFormula(benchmark::State& state) {
    ExecuteParameter settings;
    settings.ASK = 0;
    CalcExpression calculator;
    ExcelControl excel;
    ExtendStringGrid grid;
    executeParameter = &settings;
    calcExpression = &calculator;
    excelControl = &excel;
    extendStringGrid = &grid;
    {
        auto window = std::make_unique<TFMmain>();
        window->show();
        QApplication::processEvents();
        window->SGcalc->SetRow(5);
        // 1+1+...+1, of an odd length; the result cell shows its value.
        const std::size_t length = static_cast<std::size_t>(state.range(0)) | 1;
        std::string formula(length, '1');
        for (std::size_t i = 1; i < length; i += 2)
            formula[i] = '+';
        grid.CellAt(2, 0)->text = formula;
        grid.CellAt(1, 0)->text = std::to_string((length + 1) / 2);
        for (auto _ : state)
            window->SGcalc->viewport()->repaint();
        state.counters["formula_bytes"] = static_cast<double>(formula.size());
    }
    extendStringGrid = nullptr;
    excelControl = nullptr;
    calcExpression = nullptr;
    executeParameter = nullptr;
}
BENCHMARK(BM_RepaintWithLongFormula)->Arg(10)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
