#pragma once
// The sheet the program works on: its 100 lines with their formulas, result texts and values,
// the current line and the selected lines, how it stands against its file, the file it belongs
// to, and its undo history. The windows show it and change it only through its commands; each
// command records at most one undo step and then tells every observer once what it changed.
//
// A line's value lives in the evaluator's LineValues, where formulas read it as A0..A99; the
// sheet is its only writer. ErrorValue marks a line without a value (empty, failed, cleared).

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "expr/extended.h"
#include "platform/file_stamp.h"
#include "sheet/formula_file.h"
#include "sheet/line_count.h"
#include "sheet/sheet_history.h"

class CalcExpression;
class ExecuteParameter;

// What a command changed; an observer redraws only that.
struct SheetChange {
    int firstLine = kLineCount;  // formulas, results or values of lines firstLine..lastLine
    int lastLine = -1;
    bool currentLine = false;  // another line is current
    bool selection = false;
    bool modified = false;
    bool file = false;     // the file name or what the sheet knows of the file
    bool history = false;  // what undo and redo can do

    bool Touches(int line) const { return line >= firstLine && line <= lastLine; }
    void AddLines(int first, int last);
};

// Who changes the current formula, which decides the modified mark and the undo step.
enum class FormulaEdit {
    Typing,     // the user's typing: one undo step for a line until another becomes current
    Insertion,  // a function or constant from the lists or the keypad: a step of its own
    Clearing,   // the clear button: a step of its own that leaves the modified mark
};

// The selected lines: anchor is where the selection started, extent the end that moves.
struct LineSelection {
    int anchor = 0;
    int extent = 0;

    int Top() const { return anchor < extent ? anchor : extent; }
    int Bottom() const { return anchor < extent ? extent : anchor; }
    bool operator==(const LineSelection&) const = default;
};

class SheetDocument {
public:
    using Observer = std::function<void(const SheetChange&)>;

    // Unsubscribes its observer when it goes.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        ~Subscription();

    private:
        friend class SheetDocument;
        Subscription(const SheetDocument* sheet, int id) : sheet_(sheet), id_(id) {}
        const SheetDocument* sheet_ = nullptr;
        int id_ = 0;
    };

    // An empty sheet. Its lines are evaluated by calc and shown and recalculated as settings
    // say; both outlive it.
    SheetDocument(CalcExpression& calc, const ExecuteParameter& settings);
    SheetDocument(const SheetDocument&) = delete;
    SheetDocument& operator=(const SheetDocument&) = delete;

    // Observing changes nothing of the sheet.
    [[nodiscard]] Subscription Observe(Observer observer) const;

    // The sheet as it stands.
    const std::string& Formula(int line) const { return lines_[line].formula; }
    // The value formatted for display, the evaluator's error text, or empty.
    const std::string& Result(int line) const { return lines_[line].result; }
    bool Failed(int line) const { return lines_[line].failed; }
    Extended Value(int line) const;
    static std::string Label(int line);
    int CurrentLine() const { return current_; }
    const LineSelection& Selection() const { return selection_; }
    Modified ModifiedMark() const { return modified_; }
    bool IsModified() const { return modified_ != Modified::No; }
    // The file the sheet was last opened from or saved to, as the system names it; empty for
    // none. Its stamp tells whether another program has written it since.
    const std::string& FileName() const { return fileName_; }
    const FileStamp& FileSeen() const { return fileSeen_; }
    // Lines the file holds that the sheet could not take (past A99, a formula in place of the
    // header): saving over the file would lose them.
    int LinesLeftOut() const { return linesLeftOut_; }
    bool CanUndo() const { return typing_.has_value() || history_.CanUndo(); }
    bool CanRedo() const { return !typing_ && history_.CanRedo(); }
    // What a formula file of the sheet holds: the current line, the file settings and formulas.
    FormulaFileContent Content() const;

    // Evaluates line n and writes its value and result text.
    void RecalcLine(int n);
    // One pass over all lines in ring order from the current line.
    void RecalcAll();
    // Stores text (folded to half width) as the current line's formula and recalculates: all
    // lines in ring order when RTIME is on, else the current line.
    void ChangeCurrentFormula(std::string_view text, FormulaEdit edit = FormulaEdit::Typing);
    // Makes line current, the selection only that line. Moving to a line with another formula
    // recalculates as storing that formula would.
    void MoveTo(int line);
    // The same, with the lines anchor..extent selected (a pick with the mouse).
    void MoveTo(int line, LineSelection selection);
    void Select(LineSelection selection);
    // Moves the selection's extent by lines, within the sheet.
    void ExtendSelection(int lines);
    // A paste: currentFormula becomes the current line's formula and below the formulas of the
    // lines under it (as far as the sheet goes). The sheet counts as typed.
    void PasteLines(std::string_view currentFormula, std::span<const std::string> below);
    // Empties the current line and the selected lines and recalculates all.
    void ClearSelectedLines();
    // Empties every line and its value; line 0 becomes current and the sheet counts as saved,
    // still under its file name. A step that undo takes back.
    void EmptySheet();
    // A new sheet: empty, under no file name, with no history.
    void NewSheet();
    // The content of a file read from fileName (as stamp saw it) replaces the sheet, which
    // counts as saved and starts a new history; the file held linesLeftOut more lines.
    void Load(const FormulaFileContent& content, std::string fileName, FileStamp stamp,
              int linesLeftOut = 0);
    // Unsaved work put back under the file name it had: a new history whose first state is
    // modified, so that no undo can make it look saved.
    void Restore(const FormulaFileContent& content, std::string fileName);
    // The sheet as it stands has been saved to fileName, as stamp saw it.
    void MarkSaved(std::string fileName, FileStamp stamp);
    // The same file, as it stands (a save after the file changed on disk was declined).
    void MarkSaved();
    void Undo();
    void Redo();

private:
    struct Line {
        std::string formula;
        std::string result;
        bool failed = false;
    };

    // Recalculates after the current formula changed: every line from the current one when
    // RTIME is on, otherwise the current line alone.
    void RecalcAfterChange(SheetChange& change);
    void RecalcAll(SheetChange& change);
    void EmptyLine(int line);
    // Empties all 100 lines and their values; recalculates nothing.
    void ClearAllLines(SheetChange& change);
    // Sets a line's formula (recording it in step); its result goes until the recalculation
    // brings the new one. The same formula again changes nothing.
    void SetFormula(int line, std::string formula, SheetStep* step, SheetChange& change);
    void SetCurrent(int line, SheetChange& change);
    // Ends the typing step in progress; it becomes an undo step.
    void CloseTyping();
    void Record(SheetStep step);
    void StartHistory(SheetChange& change);
    void PutContent(const FormulaFileContent& content, SheetChange& change);
    void Apply(const SheetStep& step, bool forward);
    void Notify(const SheetChange& change);

    CalcExpression& calc_;
    const ExecuteParameter& settings_;
    std::array<Line, kLineCount> lines_;
    int current_ = 0;
    LineSelection selection_;
    Modified modified_ = Modified::No;
    std::string fileName_;
    FileStamp fileSeen_;
    int linesLeftOut_ = 0;
    SheetHistory history_;
    // The typing in the current line since it became current, not yet an undo step.
    std::optional<SheetStep> typing_;

    mutable std::vector<std::pair<int, Observer>> observers_;
    mutable int nextObserver_ = 1;
};
