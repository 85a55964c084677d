#pragma once
// The function pad beside the sheet: the function list LBfunc and the constant list LBconst,
// which put a function call or a constant's name into the input line at its caret.

#include <QListWidget>
#include <QStringList>
#include <QWidget>
#include <functional>

class CalcExpression;
class ExecuteParameter;
class SheetInput;

// The list entry of a constant line: a blank and the text before the first "=", or the blank
// alone for a line without "=".
QString ConstantEntry(const QString& constantLine);

// A list box of the pad: rows of 16 pixels or the bold font's height, drawn white and bold on
// the result panel's colour,
// never taking the focus (the input line keeps its selection while the list is clicked).
class PadList : public QListWidget {
    Q_OBJECT

public:
    static constexpr int kItemHeight = 16;

    explicit PadList(QWidget* parent = nullptr);

    // The height of a row in font made bold.
    static int RowHeight(const QFont& font);

    // The row of the selected entry, or -1.
    int SelectedRow() const;
    // The height that shows every row: what the list asks of its layout.
    int WholeHeight() const { return wholeHeight_; }
    void SetWholeHeight(int height) { wholeHeight_ = height; }
    QSize sizeHint() const override;
    // Run after the list has handled a mouse button's release.
    std::function<void()> onMouseUp;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A wheel notch over the pad moves the current line, as anywhere in the window.
    void wheelEvent(QWheelEvent* event) override;
    // Return, Enter and Space take the current entry as a click on it would.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int wholeHeight_ = 0;
};

// The evaluator's functions as the lists and the keypad show them, in lower case ("sin").
QStringList ShownFunctionNames();

class FunctionPad : public QWidget {
    Q_OBJECT

public:
    // The pad's size at small fonts; larger fonts widen the pad and heighten the function list.
    static constexpr int kWidth = 44;
    static constexpr int kFunctionListHeight = 168;
    static const QStringList kFunctionEntries;  // " ( )", " sin", ... " sqrt"

    // input: the input line that receives the insertions; settings say whether a function
    // comes with its closing bracket, the evaluator's list holds the constants.
    FunctionPad(SheetInput& input, const ExecuteParameter& settings,
                const CalcExpression& calculator, QWidget* parent = nullptr);

    // Rebuilds LBconst from the evaluator's constant list; disabled when it has no entries.
    void FillConstList();

    int FunctionEntryCount() const;
    int ConstantEntryCount() const;
    // The constant list's entries as shown (" PI").
    QStringList ConstantEntries() const;
    // Insert the entry of the row at the caret, replacing the selection, as a click on it does.
    void InsertFunction(int row);
    void InsertConstant(int row);

    // Tab goes from previous to the function list, then to the constant list.
    void FollowInTabOrder(QWidget* previous);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Insert the selected entry at the caret, replacing the selection.
    void LBfuncClick();
    void LBconstClick();
    // Give the focus back to the input line.
    void LBfuncMouseUp();
    void LBconstMouseUp();
    void Inserted(PadList* list);
    // Sizes the pad and the function list so that every function name shows whole.
    void FitToFont();
    // The pad widens by a scroll bar while the function list is too low to show every entry.
    void FitWidth();
    int textWidth_ = kWidth;

    SheetInput& input_;
    const ExecuteParameter& settings_;
    const CalcExpression& calculator_;

    PadList* LBfunc = nullptr;
    PadList* LBconst = nullptr;
};
