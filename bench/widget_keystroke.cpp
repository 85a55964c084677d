// One keystroke into the input line of the main window, with all 100 lines filled and every
// line recalculated on each edit: from the key event to the end of the grid's repaint.
// 1,000 keystrokes (a digit, then Backspace, in turn); the median and the worst are reported.
// Once without and once with the recovery copy, whose writes fall between the keystrokes: the
// events pending after each keystroke are handled outside the measured time, in both runs.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "desktop/grid_widget.h"
#include "export/excel_control.h"
#include "expr/calc_expression.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "sheet/sheet_document.h"
#include "tests/ui/main_window_parts.h"
#include "ui/recovery_copy_keeper.h"
#include "ui/tfmmain.h"

namespace {

void SendKey(QWidget* target, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void KeystrokeWithFullRecalculation(benchmark::State& state, bool keepRecoveryCopy) {
    ExecuteParameter settings;
    settings.RTIME = 1;
    settings.ASK = 0;
    CalcExpression calculator;
    SheetDocument sheet(calculator, settings);
    ExcelControl excel;
    ExtendStringGrid grid;
    {
        auto window = std::make_unique<TFMmain>(settings, calculator, sheet, grid, excel);
        window->show();
        QApplication::processEvents();
        GridWidget* sheetGrid = FindGrid(window.get());
        FormulaInput* input = FindInput(window.get());
        // Every line refers to the one above, so each edit ripples through the whole sheet.
        for (int line = 0; line < 100; ++line) {
            sheet.MoveTo(line);
            sheet.ChangeCurrentFormula(line == 0 ? "SQRT(2)*PI"
                                                 : "A" + std::to_string(line - 1) + "*1.0001+SIN(" +
                                                       std::to_string(line) + ")");
        }
        sheet.MoveTo(50);
        QApplication::processEvents();
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / "tessarin-keystroke-bench";
        std::optional<RecoveryCopyKeeper> recovery;
        if (keepRecoveryCopy) {
            std::filesystem::create_directories(folder);
            recovery.emplace(sheet, window.get(), (folder / "recovery-copy.tsf").string());
        }
        if (grid.CellAt(2, 99)->text.empty() || grid.CellAt(1, 99)->text.empty()) {
            state.SkipWithError("the sheet was not filled");
        }

        std::vector<double> samples;
        bool typeDigit = true;
        for (auto _ : state) {
            const auto start = std::chrono::steady_clock::now();
            if (typeDigit) {
                SendKey(input, Qt::Key_7, QStringLiteral("7"));
            } else {
                SendKey(input, Qt::Key_Backspace, QStringLiteral("\b"));
            }
            sheetGrid->viewport()->repaint();
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            state.SetIterationTime(elapsed.count());
            samples.push_back(elapsed.count() * 1000.0);
            typeDigit = !typeDigit;
            QApplication::processEvents();
        }
        if (!samples.empty()) {
            std::sort(samples.begin(), samples.end());
            state.counters["median_ms"] = samples[samples.size() / 2];
            state.counters["worst_ms"] = samples.back();
        }
        if (recovery) {
            state.counters["copy_written"] = std::filesystem::exists(recovery->Path());
            recovery.reset();
            std::filesystem::remove_all(folder);
        }
    }
}
void BM_KeystrokeWithFullRecalculation(benchmark::State& state) {
    KeystrokeWithFullRecalculation(state, false);
}
BENCHMARK(BM_KeystrokeWithFullRecalculation)
    ->Iterations(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_KeystrokeWithRecoveryCopy(benchmark::State& state) {
    KeystrokeWithFullRecalculation(state, true);
}
BENCHMARK(BM_KeystrokeWithRecoveryCopy)
    ->Iterations(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
