#pragma once
// The undo history of the sheet: the steps the commands recorded, each with the lines it
// changed and the current line and the modified mark on either side of it, so a hundred steps
// of a full sheet stay small.

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

// How the sheet stands against its file. An insertion from the lists offers saving on the tool
// bar only; typing offers it in the menu as well.
enum class Modified { No, Inserted, Typed };

struct LineChange {
    int line;
    std::string before;
    std::string after;
};

struct SheetStep {
    std::vector<LineChange> lines;
    int lineBefore = 0;
    int lineAfter = 0;
    Modified modifiedBefore = Modified::No;
    Modified modifiedAfter = Modified::No;

    std::size_t Bytes() const;
};

class SheetHistory {
public:
    static constexpr std::size_t kMaxSteps = 200;
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

    // Beyond either bound the oldest steps go; the newest step is always kept.
    explicit SheetHistory(std::size_t maxSteps = kMaxSteps, std::size_t maxBytes = kMaxBytes)
        : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

    // Nothing to undo or redo.
    void Clear();
    // A step just done; what could be redone is dropped.
    void Push(SheetStep step);
    // The sheet as it stands has just been saved: it alone counts as not modified.
    void MarkSaved();

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    // The step to take back or do again; null when there is none.
    const SheetStep* Undo();
    const SheetStep* Redo();

private:
    void KeepBounds();

    std::size_t maxSteps_;
    std::size_t maxBytes_;
    std::deque<SheetStep> steps_;
    std::size_t position_ = 0;  // the steps before it are done
    std::size_t bytes_ = 0;
};
