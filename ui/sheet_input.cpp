#include "ui/sheet_input.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <string>
#include <vector>

#include "desktop/dialogs.h"
#include "desktop/key_translation.h"
#include "expr/half_width.h"
#include "settings/execute_parameter.h"
#include "sheet/pasted_lines.h"
#include "ui/formula_input.h"

namespace {

// The character a key event carries, 0 for none; Return carries 13, and letters typed with Ctrl
// their control codes. Text of several characters carries none.
char32_t KeyCharacter(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return 13;
    const QList<uint> text = event.text().toUcs4();
    if (text.size() != 1) return 0;
    char32_t c = text.front();
    const bool ctrlOnly =
        (event.modifiers() & Qt::ControlModifier) && !(event.modifiers() & Qt::AltModifier);
    if (ctrlOnly && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) c &= 0x1F;
    return c;
}

QString Label(int line) {
    return QString::fromStdString(SheetDocument::Label(line));
}

}  // namespace

SheetInput::SheetInput(FormulaInput& line, SheetDocument& sheet, const ExecuteParameter& settings)
    : line_(line), sheet_(sheet), settings_(settings) {
    line_.installEventFilter(this);
    connect(&line_, &QLineEdit::textEdited, this, &SheetInput::EDcalcChange);
    connect(&line_, &FormulaInput::Committed, this, &SheetInput::EDcalcCommit);
    connect(&line_, &FormulaInput::Pasted, this, &SheetInput::EDcalcPaste);
    subscription_ = sheet_.Observe([this](const SheetChange& change) { Show(change); });
}

bool SheetInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &line_ || event->type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (IsModifierKey(key.key())) return false;
    int code = ToVirtualKey(key);
    if (code == 0) code = VK_PROCESSKEY;
    EDcalcKeyDown(code, ToShiftState(key.modifiers()));
    if (code == 0) return true;
    // What the control would type goes through the typing rules instead; other keys (deleting,
    // moving the caret, shortcuts) are the control's.
    const char32_t typed = KeyCharacter(key);
    if (typed == 0 || (typed != 13 && !FormulaInput::TypesText(key))) return false;
    EDcalcKeyPress(typed);
    return true;
}

void SheetInput::EDcalcKeyDown(int& key, ShiftState shift) {
    const int line = sheet_.CurrentLine();
    switch (key) {
        case VK_SPACE:
            if (shift.ctrl) {
                sheet_.EmptySheet();
            } else if (shift.shift) {
                sheet_.ClearSelectedLines();
            }
            key = 0;
            break;
        case VK_DELETE:
            // The second keys of Ctrl+Space and Shift+Space, for input methods that take those.
            if (!shift.alt) break;
            if (shift.shift) {
                sheet_.EmptySheet();
            } else {
                sheet_.ClearSelectedLines();
            }
            key = 0;
            break;
        case VK_UP:
            if (line > 0) sheet_.MoveTo(line - 1);
            key = 0;
            break;
        case VK_DOWN:
            if (line < kLastLine) sheet_.MoveTo(line + 1);
            key = 0;
            break;
        case VK_PRIOR:
        case VK_NEXT:
            // Shift+Page Up/Down select lines from the current one, for Shift+Space and the
            // status bar; the current line stays.
            if (shift.shift && !shift.ctrl && !shift.alt) {
                sheet_.ExtendSelection(key == VK_NEXT ? 1 : -1);
                key = 0;
            }
            break;
        default:
            break;
    }
}

void SheetInput::EDcalcKeyPress(char32_t character) {
    const int line = sheet_.CurrentLine();
    const TypingContext context{line, settings_.AMODE == 1, settings_.RKAKKO != 0,
                                line < kLastLine && sheet_.Formula(line + 1).empty(),
                                sheet_.Value(line) != ErrorValue};
    const TypingResult result = typing_.Type(Line(), character, context);
    if (result.toNextLine && character == '\r') emit Returning();
    if (result.toNextLine) sheet_.MoveTo(line + 1);
    if (result.edits) Store(result, FormulaEdit::Typing);
}

void SheetInput::EDcalcChange(const QString& text) {
    const QScopedValueRollback<bool> storing(storing_, true);
    sheet_.ChangeCurrentFormula(text.toStdString());
}

void SheetInput::EDcalcCommit(const QString& text) {
    for (const char32_t character : FormulaTyping::Committed(text.toStdU16String()))
        EDcalcKeyPress(character);
}

void SheetInput::EDcalcPaste(const QString& text) {
    line_.CommitComposition();
    std::vector<std::string> lines = SplitPastedLines(text.toStdString());
    const int current = sheet_.CurrentLine();
    const PasteFill fill = PlanPasteFill(current, static_cast<int>(lines.size()), kLineCount);
    const int last = std::max(current, fill.lastBelow);
    for (int line = current; line <= last; ++line) {
        std::string& formula = lines[line - current];
        formula = PastedFormula(formula);
        if (CharacterCount(formula) > kLongestPastedLine) {
            CurrentDialogs().ShowNotice(
                line_.window(),
                Label(line) +
                    QStringLiteral(" に貼り付ける行は %1 文字を超えるので、貼り付けませんでした。")
                        .arg(kLongestPastedLine),
                NoticeIcon::Warning);
            return;
        }
    }
    if (fill.FillsBelow()) {
        bool replaces = false;
        for (int line = fill.firstBelow; line <= fill.lastBelow; ++line)
            replaces = replaces || !sheet_.Formula(line).empty();
        const QString range =
            fill.lastBelow > fill.firstBelow
                ? Label(fill.firstBelow) + QStringLiteral("～") + Label(fill.lastBelow)
                : Label(fill.firstBelow);
        if (replaces &&
            !CurrentDialogs().AskYesNo(
                line_.window(), range + QStringLiteral(" の数式を置き換えます。よろしいですか？"),
                true)) {
            return;
        }
    }
    // The first line goes in at the caret, whole.
    const TypingResult first = FormulaTyping::Insert(
        Line(), QString::fromStdString(lines.front()).toStdU16String(), false);
    line_.setText(QString::fromStdU16String(first.text));
    line_.setCursorPosition(first.caret);
    const std::vector<std::string> below(lines.begin() + 1, lines.begin() + 1 + (last - current));
    {
        const QScopedValueRollback<bool> storing(storing_, true);
        sheet_.PasteLines(QString::fromStdU16String(first.text).toStdString(), below);
    }
    if (fill.dropped > 0) {
        CurrentDialogs().ShowNotice(line_.window(),
                                    QStringLiteral("A%1 を超える %2 行は貼り付けませんでした。")
                                        .arg(kLastLine)
                                        .arg(fill.dropped),
                                    NoticeIcon::Information);
    }
}

void SheetInput::Insert(const QString& text, bool closeParenthesis) {
    TypingResult edit = FormulaTyping::Insert(Line(), text.toStdU16String(), false);
    if (closeParenthesis) {
        edit = FormulaTyping::Insert({edit.text, edit.caret, edit.caret, 0}, u")", false);
        edit.caret = FormulaTyping::CaretPlace(edit.text);
    }
    Store(edit, FormulaEdit::Insertion);
}

void SheetInput::Clear() {
    Store({false, true, {}, 0}, FormulaEdit::Clearing);
}

void SheetInput::Focus() {
    // Coming from elsewhere, the line places its caret by the caret rule itself.
    line_.setFocus(Qt::OtherFocusReason);
}

void SheetInput::Show(const SheetChange& change) {
    const int current = sheet_.CurrentLine();
    if (change.currentLine) {
        typing_.Forget();
        line_.setText(QString::fromStdString(sheet_.Formula(current)));
        line_.PlaceCaret();
        return;
    }
    // The current formula changed from elsewhere (undo, a paste below, a cleared selection).
    if (storing_ || !change.Touches(current)) return;
    if (ToHalfWidth(line_.text().toStdString()) == sheet_.Formula(current)) return;
    line_.setText(QString::fromStdString(sheet_.Formula(current)));
    line_.PlaceCaret();
}

TypedLine SheetInput::Line() const {
    const bool selected = line_.hasSelectedText();
    return {line_.text().toStdU16String(), line_.cursorPosition(),
            selected ? line_.selectionStart() : line_.cursorPosition(),
            selected ? static_cast<int>(line_.selectedText().size()) : 0};
}

void SheetInput::Store(const TypingResult& edit, FormulaEdit kind) {
    const QString text = QString::fromStdU16String(edit.text);
    if (text != line_.text()) line_.setText(text);
    line_.setCursorPosition(edit.caret);
    const QScopedValueRollback<bool> storing(storing_, true);
    sheet_.ChangeCurrentFormula(text.toStdString(), kind);
}
