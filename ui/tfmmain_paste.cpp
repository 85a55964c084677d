// Pasting and dropping into the input line: a line break, a TAB or another control character
// never enters a formula; a column of several lines fills the current line and the lines below
// it, one line each. A pasted line is taken whole, as a line read from a file is.

#include <algorithm>
#include <string>
#include <vector>

#include "desktop/dialogs.h"
#include "desktop/grid_widget.h"
#include "expr/calc_expression.h"
#include "sheet/extend_string_grid.h"
#include "sheet/formula_sheet.h"
#include "sheet/pasted_lines.h"
#include "ui/tfmmain.h"

namespace {

QString Label(int line) {
    return QStringLiteral("A%1").arg(line);
}

bool AnyFormulaIn(const ExtendStringGrid& sheetGrid, int first, int last) {
    for (int line = first; line <= last; ++line) {
        const CellProperty* formula = sheetGrid.CellAt(2, line);
        if (formula && !formula->text.empty()) return true;
    }
    return false;
}

// Replaces line's formula; its old result and value go, the recalculation brings the new ones.
void ReplaceFormula(ExtendStringGrid& sheetGrid, CalcExpression& calculator, int line,
                    const std::string& text) {
    CellProperty* formula = sheetGrid.CellAt(2, line);
    CellProperty* result = sheetGrid.CellAt(1, line);
    if (!formula || !result) return;
    formula->text = ToHalfWidth(text);
    result->text.clear();
    calculator.LineValues.values[line] = ErrorValue;
}

}  // namespace

void TFMmain::EDcalcPaste(const QString& text) {
    EDcalc->CommitComposition();
    std::vector<std::string> lines = SplitPastedLines(text.toStdString());
    const int current = CurrentLine();
    const PasteFill fill = PlanPasteFill(current, static_cast<int>(lines.size()), kLineCount);
    for (int line = current; line <= std::max(current, fill.lastBelow); ++line) {
        std::string& formula = lines[line - current];
        formula = PastedFormula(formula);
        if (CharacterCount(formula) > kLongestPastedLine) {
            CurrentDialogs().ShowNotice(
                this,
                Label(line) +
                    QStringLiteral(" に貼り付ける行は %1 文字を超えるので、貼り付けませんでした。")
                        .arg(kLongestPastedLine),
                NoticeIcon::Warning);
            return;
        }
    }
    if (fill.FillsBelow() && AnyFormulaIn(sheetGrid_, fill.firstBelow, fill.lastBelow)) {
        const QString range =
            fill.lastBelow > fill.firstBelow
                ? Label(fill.firstBelow) + QStringLiteral("～") + Label(fill.lastBelow)
                : Label(fill.firstBelow);
        if (!CurrentDialogs().AskYesNo(
                this, range + QStringLiteral(" の数式を置き換えます。よろしいですか？"), true)) {
            return;
        }
    }
    for (int line = fill.firstBelow; line <= fill.lastBelow; ++line)
        ReplaceFormula(sheetGrid_, calculator_, line, lines[line - current]);

    // The first line goes in at the caret, and is stored like typing.
    KeyTyped = true;
    EDcalc->insert(QString::fromStdString(lines.front()));
    KeyTyped = false;  // consumed by the change, or nothing changed
    if (fill.FillsBelow() || fill.dropped > 0) {
        SetModified(true);
        RefreshWindow(true);
    }
    if (fill.dropped > 0) {
        CurrentDialogs().ShowNotice(this,
                                    QStringLiteral("A%1 を超える %2 行は貼り付けませんでした。")
                                        .arg(kLastLine)
                                        .arg(fill.dropped),
                                    NoticeIcon::Information);
    }
}
