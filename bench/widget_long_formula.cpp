// Repaints while a line holds a formula of the given length in bytes, as a formula file with a
// 10 MB formula leaves it: the sheet with the formula on another line, and the input line with
// it on the current line. Neither cost should depend on the length.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "desktop/grid_widget.h"
#include "export/excel_control.h"
#include "expr/calc_expression.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "sheet/sheet_document.h"
#include "tests/ui/main_window_parts.h"
#include "ui/tfmmain.h"

namespace {

// 1+1+...+1, of an odd length.
std::string LongFormula(std::size_t length) {
    std::string formula(length | 1, '1');
    for (std::size_t i = 1; i < formula.size(); i += 2)
        formula[i] = '+';
    return formula;
}

// The main window with line 0 holding the formula and its value, and the objects it uses.
class WindowWithLongFormula {
public:
    explicit WindowWithLongFormula(const std::string& formula) {
        settings_.ASK = 0;
        window = std::make_unique<TFMmain>(settings_, calculator_, sheet_, grid_, excel_);
        window->show();
        QApplication::processEvents();
        sheet_.ChangeCurrentFormula(formula, FormulaEdit::Insertion);
    }
    // The window goes first: it was built over the objects.
    ~WindowWithLongFormula() { window.reset(); }

    GridWidget* Sheet() const { return FindGrid(window.get()); }
    FormulaInput* Input() const { return FindInput(window.get()); }

    std::unique_ptr<TFMmain> window;

private:
    ExecuteParameter settings_;
    CalcExpression calculator_;
    SheetDocument sheet_{calculator_, settings_};
    ExcelControl excel_;
    ExtendStringGrid grid_;
};

void BM_RepaintWithLongFormula(benchmark::State& state) {
    const std::string formula = LongFormula(static_cast<std::size_t>(state.range(0)));
    WindowWithLongFormula w(formula);
    GridWidget* sheet = w.Sheet();
    sheet->SetRow(5);
    for (auto _ : state)
        sheet->viewport()->repaint();
    state.counters["formula_bytes"] = static_cast<double>(formula.size());
}
BENCHMARK(BM_RepaintWithLongFormula)->Arg(10)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// The input line holding the formula, as when its line is current: each caret blink repaints it.
void BM_RepaintInputLineWithLongFormula(benchmark::State& state) {
    const std::string formula = LongFormula(static_cast<std::size_t>(state.range(0)));
    WindowWithLongFormula w(formula);
    FormulaInput* input = w.Input();
    input->setText(QString::fromStdString(formula));
    for (auto _ : state)
        input->repaint();
    state.counters["formula_bytes"] = static_cast<double>(formula.size());
}
BENCHMARK(BM_RepaintInputLineWithLongFormula)
    ->Arg(10)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
