#include "sheet/sheet_document.h"

#include <algorithm>
#include <utility>

#include "expr/calc_expression.h"
#include "expr/format_value.h"
#include "expr/half_width.h"
#include "settings/execute_parameter.h"

namespace {

// Blanks are spaces and control characters.
std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

int ToLine(int line) {
    return std::clamp(line, 0, kLastLine);
}

}  // namespace

void SheetChange::AddLines(int first, int last) {
    firstLine = std::min(firstLine, first);
    lastLine = std::max(lastLine, last);
}

SheetDocument::Subscription::Subscription(Subscription&& other) noexcept
    : sheet_(std::exchange(other.sheet_, nullptr)), id_(other.id_) {}

SheetDocument::Subscription& SheetDocument::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        this->~Subscription();
        sheet_ = std::exchange(other.sheet_, nullptr);
        id_ = other.id_;
    }
    return *this;
}

SheetDocument::Subscription::~Subscription() {
    if (!sheet_) return;
    auto& observers = sheet_->observers_;
    const auto found = std::find_if(observers.begin(), observers.end(),
                                    [this](const auto& entry) { return entry.first == id_; });
    if (found != observers.end()) observers.erase(found);
    sheet_ = nullptr;
}

SheetDocument::SheetDocument(CalcExpression& calc, const ExecuteParameter& settings)
    : calc_(calc), settings_(settings) {
    calc_.LineValues.ClearValues();
}

SheetDocument::Subscription SheetDocument::Observe(Observer observer) const {
    const int id = nextObserver_++;
    observers_.emplace_back(id, std::move(observer));
    return Subscription(this, id);
}

Extended SheetDocument::Value(int line) const {
    return calc_.LineValues.values[line];
}

std::string SheetDocument::Label(int line) {
    return "A" + std::to_string(line);
}

FormulaFileContent SheetDocument::Content() const {
    FormulaFileContent content;
    content.currentLine = current_;
    const ExecuteParameter& p = settings_;
    content.settings = {p.AMODE, p.CMODE, p.VMODE, p.COMMA, p.HSIZE, p.DEGREE};
    for (int line = 0; line < kLineCount; ++line)
        content.formulas[line] = lines_[line].formula;
    return content;
}

void SheetDocument::RecalcLine(int n) {
    if (n < 0 || n >= kLineCount) return;
    Line& line = lines_[n];
    const std::string_view text = TrimBlanks(line.formula);
    if (text.empty() && n != current_) return;  // its value is the sentinel already

    // The one place the angle unit reaches the evaluator.
    calc_.Degree = settings_.DEGREE;
    calc_.Calculate(text);
    line.failed = !text.empty() && calc_.ErrorCode != 0;
    const Extended value = (line.failed || text.empty()) ? ErrorValue : calc_.ResultValue;
    calc_.LineValues.values[n] = value;
    // An empty current line keeps the empty result its change gave it.
    if (!text.empty())
        line.result = line.failed ? calc_.ErrorText : FormatValue(value, settings_.Modes());
}

void SheetDocument::RecalcAll() {
    SheetChange change;
    RecalcAll(change);
    Notify(change);
}

void SheetDocument::RecalcAll(SheetChange& change) {
    // One pass: a line that refers to one later in the ring reads that line's old value.
    const int start = current_;
    for (int k = 0; k < kLineCount; ++k)
        RecalcLine((start + k) % kLineCount);
    change.AddLines(0, kLastLine);
}

void SheetDocument::RecalcAfterChange(SheetChange& change) {
    if (settings_.RTIME != 0) {
        RecalcAll(change);
    } else {
        RecalcLine(current_);
        change.AddLines(current_, current_);
    }
}

void SheetDocument::ChangeCurrentFormula(std::string_view text, FormulaEdit edit) {
    std::string formula = ToHalfWidth(text);
    if (formula == lines_[current_].formula) return;
    const Modified before = modified_;
    if (edit == FormulaEdit::Typing) {
        modified_ = Modified::Typed;
    } else if (edit == FormulaEdit::Insertion && modified_ == Modified::No) {
        modified_ = Modified::Inserted;
    }

    SheetChange change;
    if (edit == FormulaEdit::Typing && typing_) {
        // Every move closes the typing step, so the open one is this line's.
        typing_->lines.front().after = formula;
        typing_->modifiedAfter = modified_;
        SetFormula(current_, std::move(formula), nullptr, change);
    } else {
        CloseTyping();
        SheetStep step{{}, current_, current_, before, modified_};
        SetFormula(current_, std::move(formula), &step, change);
        if (edit == FormulaEdit::Typing) {
            typing_ = std::move(step);
        } else {
            Record(std::move(step));
        }
    }
    change.modified = before != modified_;
    change.history = true;
    RecalcAfterChange(change);
    Notify(change);
}

void SheetDocument::MoveTo(int line) {
    const int to = ToLine(line);
    MoveTo(to, {to, to});
}

void SheetDocument::MoveTo(int line, LineSelection selection) {
    line = ToLine(line);
    selection = {ToLine(selection.anchor), ToLine(selection.extent)};
    SheetChange change;
    if (line != current_) {
        const bool otherFormula = lines_[line].formula != lines_[current_].formula;
        CloseTyping();
        SetCurrent(line, change);
        // The line's formula comes into the input line as a new text of it would, and is
        // recalculated so: a sheet whose lines read later ones settles as the user walks it.
        if (otherFormula) RecalcAfterChange(change);
    }
    if (selection != selection_) {
        selection_ = selection;
        change.selection = true;
    }
    if (change.currentLine || change.selection) Notify(change);
}

void SheetDocument::Select(LineSelection selection) {
    selection = {ToLine(selection.anchor), ToLine(selection.extent)};
    if (selection == selection_) return;
    selection_ = selection;
    SheetChange change;
    change.selection = true;
    Notify(change);
}

void SheetDocument::ExtendSelection(int lines) {
    Select({selection_.anchor, selection_.extent + lines});
}

void SheetDocument::PasteLines(std::string_view currentFormula,
                               std::span<const std::string> below) {
    CloseTyping();
    SheetStep step{{}, current_, current_, modified_, Modified::Typed};
    SheetChange change;
    SetFormula(current_, ToHalfWidth(currentFormula), &step, change);
    for (std::size_t i = 0; i < below.size() && current_ + 1 + int(i) < kLineCount; ++i)
        SetFormula(current_ + 1 + int(i), ToHalfWidth(below[i]), &step, change);
    if (step.lines.empty()) return;
    change.modified = modified_ != Modified::Typed;
    modified_ = Modified::Typed;
    if (below.empty()) {
        RecalcAfterChange(change);
    } else {
        RecalcAll(change);
    }
    Record(std::move(step));
    change.history = true;
    Notify(change);
}

void SheetDocument::ClearSelectedLines() {
    CloseTyping();
    SheetStep step{{}, current_, current_, modified_, modified_};
    SheetChange change;
    // The current line empties first, as an emptied input line does, then the selection, then
    // one pass recalculates all.
    SetFormula(current_, std::string(), &step, change);
    RecalcAfterChange(change);
    for (int line = selection_.Top(); line <= selection_.Bottom(); ++line) {
        if (lines_[line].formula.empty() && lines_[line].result.empty()) continue;
        if (!lines_[line].formula.empty()) step.lines.push_back({line, lines_[line].formula, {}});
        EmptyLine(line);
        change.AddLines(line, line);
    }
    RecalcAll(change);
    if (!step.lines.empty()) {
        Record(std::move(step));
        change.history = true;
    }
    Notify(change);
}

void SheetDocument::EmptySheet() {
    CloseTyping();
    SheetStep step{{}, current_, 0, modified_, Modified::No};
    for (int line = 0; line < kLineCount; ++line) {
        if (!lines_[line].formula.empty()) step.lines.push_back({line, lines_[line].formula, {}});
    }
    SheetChange change;
    ClearAllLines(change);
    SetCurrent(0, change);
    change.modified = modified_ != Modified::No;
    modified_ = Modified::No;
    if (!step.lines.empty()) {
        Record(std::move(step));
        change.history = true;
    }
    Notify(change);
}

void SheetDocument::NewSheet() {
    SheetChange change;
    ClearAllLines(change);
    SetCurrent(0, change);
    change.currentLine = true;
    modified_ = Modified::No;
    change.modified = true;
    fileName_.clear();
    fileSeen_.Clear();
    linesLeftOut_ = 0;
    change.file = true;
    StartHistory(change);
    Notify(change);
}

void SheetDocument::Load(const FormulaFileContent& content, std::string fileName, FileStamp stamp,
                         int linesLeftOut) {
    SheetChange change;
    PutContent(content, change);
    modified_ = Modified::No;
    fileName_ = std::move(fileName);
    fileSeen_ = stamp;
    linesLeftOut_ = linesLeftOut;
    Notify(change);
}

void SheetDocument::Restore(const FormulaFileContent& content, std::string fileName) {
    SheetChange change;
    PutContent(content, change);
    modified_ = Modified::Typed;
    fileName_ = std::move(fileName);
    fileSeen_.Clear();
    linesLeftOut_ = 0;
    Notify(change);
}

void SheetDocument::PutContent(const FormulaFileContent& content, SheetChange& change) {
    ClearAllLines(change);
    for (int line = 0; line < kLineCount; ++line)
        lines_[line].formula = content.formulas[line];
    SetCurrent(ToLine(content.currentLine), change);
    change.currentLine = change.modified = change.file = true;
    StartHistory(change);
    RecalcAll(change);
}

void SheetDocument::MarkSaved(std::string fileName, FileStamp stamp) {
    fileName_ = std::move(fileName);
    fileSeen_ = stamp;
    linesLeftOut_ = 0;
    MarkSaved();
}

void SheetDocument::MarkSaved() {
    CloseTyping();
    history_.MarkSaved();
    modified_ = Modified::No;
    SheetChange change;
    change.modified = change.file = change.history = true;
    Notify(change);
}

void SheetDocument::Undo() {
    CloseTyping();
    if (const SheetStep* step = history_.Undo()) Apply(*step, false);
}

void SheetDocument::Redo() {
    if (typing_) return;
    if (const SheetStep* step = history_.Redo()) Apply(*step, true);
}

void SheetDocument::Apply(const SheetStep& step, bool forward) {
    SheetChange change;
    for (const LineChange& line : step.lines)
        SetFormula(line.line, forward ? line.after : line.before, nullptr, change);
    SetCurrent(forward ? step.lineAfter : step.lineBefore, change);
    const Modified modified = forward ? step.modifiedAfter : step.modifiedBefore;
    change.modified = modified != modified_;
    modified_ = modified;
    change.history = true;
    RecalcAll(change);
    Notify(change);
}

void SheetDocument::EmptyLine(int line) {
    lines_[line].formula.clear();
    lines_[line].result.clear();
    lines_[line].failed = false;
    calc_.LineValues.values[line] = ErrorValue;
}

void SheetDocument::ClearAllLines(SheetChange& change) {
    for (Line& line : lines_) {
        line.formula.clear();
        line.result.clear();
        line.failed = false;
    }
    calc_.LineValues.ClearValues();
    change.AddLines(0, kLastLine);
}

void SheetDocument::SetFormula(int line, std::string formula, SheetStep* step,
                               SheetChange& change) {
    Line& target = lines_[line];
    if (formula == target.formula) return;
    if (step) step->lines.push_back({line, target.formula, formula});
    target.formula = std::move(formula);
    target.result.clear();
    target.failed = false;
    calc_.LineValues.values[line] = ErrorValue;
    change.AddLines(line, line);
}

void SheetDocument::SetCurrent(int line, SheetChange& change) {
    const LineSelection collapsed{line, line};
    if (line != current_) change.currentLine = true;
    if (collapsed != selection_) change.selection = true;
    current_ = line;
    selection_ = collapsed;
}

void SheetDocument::CloseTyping() {
    if (!typing_) return;
    // Typing that came back to where it began is no step.
    const LineChange& line = typing_->lines.front();
    if (line.before != line.after || typing_->modifiedBefore != typing_->modifiedAfter)
        Record(std::move(*typing_));
    typing_.reset();
}

void SheetDocument::Record(SheetStep step) {
    history_.Push(std::move(step));
}

void SheetDocument::StartHistory(SheetChange& change) {
    typing_.reset();
    history_.Clear();
    change.history = true;
}

void SheetDocument::Notify(const SheetChange& change) {
    // An observer may subscribe or unsubscribe another one; each is called by a copy.
    for (std::size_t i = 0; i < observers_.size(); ++i) {
        const Observer observer = observers_[i].second;
        observer(change);
    }
}
