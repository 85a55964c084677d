#include "sheet/sheet_history.h"

#include <utility>

void SheetHistory::Reset(const SheetState& state) {
    present_ = state;
    steps_.clear();
    position_ = 0;
    bytes_ = 0;
}

void SheetHistory::Record(const SheetState& state) {
    Step step{{}, present_.currentLine, state.currentLine, present_.modified, state.modified, 0};
    for (int line = 0; line < kLineCount; ++line) {
        const std::string& before = present_.formulas[line];
        const std::string& after = state.formulas[line];
        if (before == after) continue;
        step.bytes += sizeof(LineChange) + before.size() + after.size();
        step.lines.push_back({line, before, after});
    }
    present_ = state;
    if (step.lines.empty()) return;
    DropRedo();
    bytes_ += step.bytes;
    steps_.push_back(std::move(step));
    ++position_;
    KeepBounds();
}

void SheetHistory::MarkSaved() {
    for (std::size_t n = 0; n < steps_.size(); ++n) {
        steps_[n].modifiedBefore = n != position_;
        steps_[n].modifiedAfter = n + 1 != position_;
    }
    present_.modified = false;
}

const SheetState& SheetHistory::Undo() {
    if (!CanUndo()) return present_;
    const Step& step = steps_[--position_];
    for (const LineChange& change : step.lines)
        present_.formulas[change.line] = change.before;
    present_.currentLine = step.lineBefore;
    present_.modified = step.modifiedBefore;
    return present_;
}

const SheetState& SheetHistory::Redo() {
    if (!CanRedo()) return present_;
    const Step& step = steps_[position_++];
    for (const LineChange& change : step.lines)
        present_.formulas[change.line] = change.after;
    present_.currentLine = step.lineAfter;
    present_.modified = step.modifiedAfter;
    return present_;
}

void SheetHistory::DropRedo() {
    while (steps_.size() > position_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
}

void SheetHistory::KeepBounds() {
    while (steps_.size() > 1 && (steps_.size() > maxSteps_ || bytes_ > maxBytes_)) {
        bytes_ -= steps_.front().bytes;
        steps_.pop_front();
        --position_;
    }
}
