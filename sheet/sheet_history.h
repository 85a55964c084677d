#pragma once
// The undo history of the sheet. A step keeps only the lines it changed, with the current line
// and the modified mark on either side of it, so a hundred steps of a full sheet stay small.

#include <array>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "sheet/line_count.h"

struct SheetState {
    std::array<std::string, kLineCount> formulas;
    int currentLine = 0;
    bool modified = false;
};

class SheetHistory {
public:
    static constexpr std::size_t kMaxSteps = 200;
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

    // Beyond either bound the oldest steps go; the newest step is always kept.
    explicit SheetHistory(std::size_t maxSteps = kMaxSteps, std::size_t maxBytes = kMaxBytes)
        : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

    // Starts afresh at state: nothing to undo or redo.
    void Reset(const SheetState& state);
    // Makes state the present one. A change of formulas is a new step, and what could be redone
    // is dropped; without one only the current line and the modified mark are taken over.
    void Record(const SheetState& state);
    // The present state has just been saved: it alone is not modified.
    void MarkSaved();

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    // Steps back or forward (only when possible) and returns the state reached.
    const SheetState& Undo();
    const SheetState& Redo();

    const SheetState& Present() const { return present_; }

private:
    struct LineChange {
        int line;
        std::string before;
        std::string after;
    };
    struct Step {
        std::vector<LineChange> lines;
        int lineBefore;
        int lineAfter;
        bool modifiedBefore;
        bool modifiedAfter;
        std::size_t bytes;
    };

    void DropRedo();
    void KeepBounds();

    std::size_t maxSteps_;
    std::size_t maxBytes_;
    SheetState present_;
    std::deque<Step> steps_;
    std::size_t position_ = 0;  // the steps before it are done
    std::size_t bytes_ = 0;
};
