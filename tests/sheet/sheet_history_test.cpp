#include "sheet/sheet_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Records count steps, each writing its number, padded to size characters, into line 0.
void RecordSteps(SheetHistory& history, int count, std::size_t size) {
    SheetState state;
    for (int n = 1; n <= count; ++n) {
        std::string text = std::to_string(n);
        text.resize(std::max(size, text.size()), ' ');
        state.formulas[0] = text;
        history.Record(state);
    }
}

}  // namespace

TEST(SheetHistory, OldestStepsGoBeyondTheBounds) {
    const struct {
        const char* name;
        std::size_t maxBytes;
        int steps;
        std::size_t lineSize;
        int undos;  // steps kept
    } rows[] = {
        {"step count", SheetHistory::kMaxBytes, 250, 1, 200},
        {"bytes", 5000, 20, 1000, 2},
        {"one step beyond the bytes is kept", 100, 3, 1000, 1},
    };
    for (const auto& row : rows) {
        SheetHistory history(SheetHistory::kMaxSteps, row.maxBytes);
        RecordSteps(history, row.steps, row.lineSize);
        int undos = 0;
        while (history.CanUndo()) {
            history.Undo();
            ++undos;
        }
        EXPECT_EQ(undos, row.undos) << row.name;
        // The oldest state kept is whole.
        const std::string oldest = std::to_string(row.steps - row.undos);
        EXPECT_EQ(history.Present().formulas[0].substr(0, oldest.size()), oldest) << row.name;
    }
}
