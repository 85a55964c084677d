#pragma once
// The input line EDcalc as the editor of the sheet's current formula: it shows the current
// line's formula, takes the keys that move between lines and clear lines, puts every typed or
// committed character through the typing rules and stores every change of its text in the
// sheet. A paste may fill the lines below; the lists and the keypad insert through it.

#include <QObject>
#include <QString>

#include "platform/grid_control.h"
#include "sheet/formula_typing.h"
#include "sheet/sheet_document.h"

class ExecuteParameter;
class FormulaInput;

class SheetInput : public QObject {
    Q_OBJECT

public:
    // line edits the current formula of sheet by the typing rules settings choose; both outlive
    // this object.
    SheetInput(FormulaInput& line, SheetDocument& sheet, const ExecuteParameter& settings);

    // The keys that are commands: Up and Down move, Space with Ctrl or Shift clears (as do
    // Alt+Shift+Delete and Alt+Delete), Shift+Page keys select. key := 0 consumes it.
    void EDcalcKeyDown(int& key, ShiftState shift);
    // A typed character, through the typing rules.
    void EDcalcKeyPress(char32_t character);
    // A change of the text made by the control itself (a deletion, a cut): stored as typing.
    void EDcalcChange(const QString& text);
    // Text an input method committed: taken character by character as typed ones are.
    void EDcalcCommit(const QString& text);
    // Text the user pasted or dropped: one line goes in at the caret; several lines fill the
    // current line and the lines below it.
    void EDcalcPaste(const QString& text);
    // Inserts text at the caret in place of the selection (a list or the keypad); with
    // closeParenthesis a ")" follows and the caret goes into the first "()".
    void Insert(const QString& text, bool closeParenthesis);
    // Empties the current line (the clear button).
    void Clear();
    // Gives the input line the keyboard focus.
    void Focus();

signals:
    // Return is about to move on from the current line.
    void Returning();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(const SheetChange& change);
    TypedLine Line() const;
    // Puts the text and caret an edit gives into the control and its formula into the sheet.
    void Store(const TypingResult& edit, FormulaEdit kind);

    FormulaInput& line_;
    SheetDocument& sheet_;
    const ExecuteParameter& settings_;
    FormulaTyping typing_;
    SheetDocument::Subscription subscription_;
    bool storing_ = false;  // the sheet is taking this line's own text
};
