#include "sheet/sheet_history.h"

#include <utility>

std::size_t SheetStep::Bytes() const {
    std::size_t bytes = sizeof(SheetStep);
    for (const LineChange& change : lines)
        bytes += sizeof(LineChange) + change.before.size() + change.after.size();
    return bytes;
}

void SheetHistory::Clear() {
    steps_.clear();
    position_ = 0;
    bytes_ = 0;
}

void SheetHistory::Push(SheetStep step) {
    while (steps_.size() > position_) {
        bytes_ -= steps_.back().Bytes();
        steps_.pop_back();
    }
    bytes_ += step.Bytes();
    steps_.push_back(std::move(step));
    ++position_;
    KeepBounds();
}

void SheetHistory::MarkSaved() {
    // Every other state of the sheet differs from the file now.
    const auto mark = [](Modified& modified, bool saved) {
        if (saved) {
            modified = Modified::No;
        } else if (modified == Modified::No) {
            modified = Modified::Typed;
        }
    };
    for (std::size_t n = 0; n < steps_.size(); ++n) {
        mark(steps_[n].modifiedBefore, n == position_);
        mark(steps_[n].modifiedAfter, n + 1 == position_);
    }
}

const SheetStep* SheetHistory::Undo() {
    return CanUndo() ? &steps_[--position_] : nullptr;
}

const SheetStep* SheetHistory::Redo() {
    return CanRedo() ? &steps_[position_++] : nullptr;
}

void SheetHistory::KeepBounds() {
    while (steps_.size() > 1 && (steps_.size() > maxSteps_ || bytes_ > maxBytes_)) {
        bytes_ -= steps_.front().Bytes();
        steps_.pop_front();
        --position_;
    }
}
