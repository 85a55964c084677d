// The input line: key commands, the character rules of formula and calculator mode, and the
// storing of every change into the current line.

#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

#include "desktop/grid_widget.h"
#include "desktop/key_translation.h"
#include "expr/calc_expression.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "sheet/formula_sheet.h"
#include "ui/function_pad.h"
#include "ui/tfmmain.h"

namespace {

bool IsOperator(char32_t c) {
    return c == '^' || c == '*' || c == '/' || c == '+' || c == '-';
}

// The character a key event carries, 0 for none; Return, Backspace and Escape carry their
// control codes, as do letters typed with Ctrl. Text of several characters carries none.
char32_t KeyCharacter(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Escape:
            return 27;
        default:
            break;
    }
    const QList<uint> text = event.text().toUcs4();
    if (text.size() != 1) return 0;
    char32_t c = text.front();
    const bool ctrlOnly =
        (event.modifiers() & Qt::ControlModifier) && !(event.modifiers() & Qt::AltModifier);
    if (ctrlOnly && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) c &= 0x1F;
    return c;
}

}  // namespace

bool TFMmain::InputKeyPress(QKeyEvent* event) {
    // Shift, Ctrl and Alt alone type nothing: they must not count as typing, or Ctrl+Space
    // would leave the emptied sheet marked modified.
    if (IsModifierKey(event->key())) return false;
    int key = ToVirtualKey(*event);
    if (key == 0) key = VK_PROCESSKEY;
    EDcalcKeyDown(key, ToShiftState(event->modifiers()));
    if (key == 0) return true;

    const char32_t typed = KeyCharacter(*event);
    if (typed == 0) return false;
    char32_t character = typed;
    EDcalcKeyPress(character);
    if (character == 0) return true;
    if (character != typed) {
        EDcalc->InsertTyped(QString::fromUcs4(&character, 1));
        return true;
    }
    return false;
}

void TFMmain::EDcalcKeyDown(int& key, ShiftState shift) {
    const int line = CurrentLine();
    switch (key) {
        case VK_RETURN:
            break;
        case VK_SPACE:
            if (shift.ctrl) {
                MMactionnewClick(nullptr);
            } else if (shift.shift) {
                sheet_->ClearSelectedLines();
            }
            key = 0;
            break;
        case VK_DELETE:
            // The second keys of Ctrl+Space and Shift+Space, for input methods that take those.
            if (!shift.alt) {
                KeyTyped = true;
                break;
            }
            if (shift.shift) {
                MMactionnewClick(nullptr);
            } else {
                sheet_->ClearSelectedLines();
            }
            key = 0;
            break;
        case VK_UP:
            if (line > 0) MoveToLine(line - 1);
            key = 0;
            break;
        case VK_DOWN:
            if (line < kLastLine) MoveToLine(line + 1);
            key = 0;
            break;
        case VK_PRIOR:
        case VK_NEXT:
            // Shift+Page Up/Down select lines from the current one, for Shift+Space and the
            // status bar; the current line stays.
            if (shift.shift && !shift.ctrl && !shift.alt) {
                SGcalc->ExtendSelectionRows(key == VK_NEXT ? 1 : -1);
                UpdateStatusBar();
                key = 0;
            } else {
                KeyTyped = true;
            }
            break;
        default:
            KeyTyped = true;
            break;
    }
    SGcalc->Repaint();
}

void TFMmain::EDcalcKeyPress(char32_t& key) {
    if (key == 0 || key >= 128) return;
    const char32_t up = (key >= 'a' && key <= 'z') ? key - ('a' - 'A') : key;
    key = up;
    if (up == ' ') {
        key = 0;
        return;
    }
    const ExecuteParameter& p = settings_;
    if (up == VK_RETURN) {
        if (CurrentLine() < kLastLine) {
            MoveToLine(CurrentLine() + 1);
            key = 0;
        }
        return;
    }
    if (up == ')' && EDcalc->StepOverCompletedClose()) {
        key = 0;
        return;
    }
    if (up == '(' && p.RKAKKO != 0) {
        const int at =
            EDcalc->hasSelectedText() ? EDcalc->selectionStart() : EDcalc->cursorPosition();
        EDcalc->InsertTyped(QStringLiteral("()"));
        EDcalcEnter();
        EDcalc->RememberCompletedClose(at + 1);
        key = 0;
        return;
    }
    if (p.AMODE == 1 && IsOperator(up)) {
        const int line = CurrentLine();
        const int caret =
            EDcalc->hasSelectedText() ? EDcalc->selectionStart() : EDcalc->cursorPosition();
        const CellProperty* next = sheetGrid_.CellAt(2, line + 1);
        if (line < kLastLine && next && next->text.empty() && caret == EDcalc->text().size() &&
            calculator_.LineValues.values[line] != ErrorValue) {
            MoveToLine(line + 1);
        }
        if (EDcalc->text().isEmpty() && CurrentLine() > 0) {
            const CellProperty* label = sheetGrid_.CellAt(0, CurrentLine() - 1);
            EDcalc->setText(QString::fromStdString(label ? label->text : std::string()));
            EDcalcEnter();
        }
    }
    if (p.AMODE == 0 && EDcalc->text().isEmpty() && QStringLiteral(")^*/+").contains(QChar(up))) {
        key = 0;
    }
}

void TFMmain::EDcalcCommit(const QString& text) {
    // Each committed character is taken as if typed: folded to its ASCII form first, so that a
    // full-width "（" completes and an ideographic blank is dropped like a typed blank.
    const QString folded = QString::fromStdString(ToHalfWidth(text.toStdString()));
    for (const char32_t committed : folded.toUcs4()) {
        if (committed < 0x20 || committed == 0x7F) continue;
        KeyTyped = true;
        // Mozc converts the minus key of a number to the minus sign.
        char32_t character = committed == U'\u2212' ? U'-' : committed;
        EDcalcKeyPress(character);
        if (character != 0) EDcalc->InsertTyped(QString::fromUcs4(&character, 1));
    }
    SGcalc->Repaint();
}

bool TFMmain::CommitsComposition(QObject* watched, const QEvent& event) const {
    switch (event.type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return true;
        case QEvent::KeyPress:
            // The input method passes on the Shift of a shifted character it composes.
            return !IsModifierKey(static_cast<const QKeyEvent&>(event).key());
        case QEvent::FocusOut:
            return watched == EDcalc;
        case QEvent::WindowDeactivate:
            return watched == this;
        default:
            return false;
    }
}

void TFMmain::EDcalcChange() {
    if (Updating) return;
    {
        // Also cleared when the recalculation throws.
        const QScopedValueRollback<bool> updating(Updating, true);
        sheet_->ChangeCurrentFormula(EDcalc->text().toStdString());
        if (KeyTyped) SetModified(true);
    }
    KeyTyped = false;
    emit SheetChanged();
}

void TFMmain::EDcalcEnter() {
    PlaceCaret(EDcalc);
}

void TFMmain::MoveToLine(int line) {
    EDcalc->CommitComposition();
    SGcalc->SetRow(line);
}
