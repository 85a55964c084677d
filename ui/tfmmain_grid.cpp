// Picking lines in the grid, the wheel, and the status bar's sum, average and count.

#include <QLabel>
#include <QLineEdit>
#include <QWheelEvent>
#include <algorithm>

#include "desktop/grid_widget.h"
#include "desktop/key_translation.h"
#include "expr/calc_expression.h"
#include "expr/format_value.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "sheet/formula_sheet.h"
#include "ui/result_panel_colors.h"
#include "ui/tfmmain.h"

namespace {

constexpr int kWheelNotch = 120;

}  // namespace

void TFMmain::SGcalcClick() {
    const int current = CurrentLine();
    for (int i = 0; i < kLineCount; ++i) {
        CellProperty* number = sheetGrid_.CellAt(0, i);
        if (!number) continue;
        number->style.color = i == current ? kResultPanelColor : SGcalc->FixedColor();
        number->fontColor = i == current ? kResultDigitColor : kWindowTextColor;
    }
    const CellProperty* formula = sheetGrid_.CellAt(2, current);
    EDcalc->ForgetCompletedCloses();
    EDcalc->setText(formula ? QString::fromStdString(formula->text) : QString());
    EDcalc->setFocus();
    EDcalcEnter();
    // The grid object is moving the current cell (it disables the grid meanwhile) and gives
    // the grid the focus when it is done; the input line takes it back right after.
    if (!SGcalc->Enabled()) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                EDcalc->setFocus();
                EDcalcEnter();
            },
            Qt::QueuedConnection);
    }
    UpdateStatusBar();
    SGcalc->Repaint();
}

void TFMmain::SGcalcMouseDown(MouseButton, ShiftState, int, int) {
    StatusUpdateAllowed = true;
}

void TFMmain::SGcalcMouseMove(ShiftState, int, int) {
    if (!StatusUpdateAllowed) return;
    int top = 0;
    int bottom = kLastLine;
    if (settings_.RSUM == 0) {
        const GridRect selection = SGcalc->Selection();
        top = std::max(selection.top, 0);
        bottom = std::min(selection.bottom, kLastLine);
    }
    Extended sum = 0;
    int n = 0;
    for (int i = top; i <= bottom; ++i) {
        const Extended value = calculator_.LineValues.values[i];
        // A NaN never compares equal to itself: it is no value either.
        if (value != ErrorValue && value == value) {
            sum += value;
            ++n;
        }
    }
    QString sumText;
    const DisplayModes modes = settings_.Modes();
    if (n > 1) sumText = QString::fromStdString(FormatValue(sum, modes));
    QString averageText;
    if (!sumText.isEmpty()) averageText = QString::fromStdString(FormatValue(sum / n, modes));
    statusPanels[0]->setText(QStringLiteral(" Sum ") + sumText);
    statusPanels[1]->setText(QStringLiteral(" Avg. ") + averageText);
    statusPanels[2]->setText(QStringLiteral(" n ") + (n > 1 ? QString::number(n) : QString()));
}

void TFMmain::SGcalcMouseUp(MouseButton, ShiftState, int, int) {
    StatusUpdateAllowed = false;
}

void TFMmain::FormMouseWheelDown(ShiftState, bool& handled) {
    int key = VK_DOWN;
    EDcalcKeyDown(key, {});
    handled = true;
}

void TFMmain::FormMouseWheelUp(ShiftState, bool& handled) {
    int key = VK_UP;
    EDcalcKeyDown(key, {});
    handled = true;
}

bool TFMmain::HandleWheel(QWheelEvent* event) {
    // High-resolution wheels send parts of a notch; they add up to whole notches.
    wheelRest_ += event->angleDelta().y();
    const ShiftState shift = ToShiftState(event->modifiers());
    bool handled = false;
    while (wheelRest_ >= kWheelNotch) {
        wheelRest_ -= kWheelNotch;
        FormMouseWheelUp(shift, handled);
    }
    while (wheelRest_ <= -kWheelNotch) {
        wheelRest_ += kWheelNotch;
        FormMouseWheelDown(shift, handled);
    }
    event->accept();
    return true;
}
