#include "sheet/sheet_history.h"

#include <gtest/gtest.h>

#include <string>

// Steps that each write their number, padded to a size, into line 0: beyond the bounds the
// oldest go, and undo reaches the oldest state kept, whole.
TEST(SheetHistory, OldestStepsGoBeyondTheBounds) {
    const struct {
        const char* name;
        std::size_t maxBytes;
        int steps;
        std::size_t lineSize;
        int kept;
    } rows[] = {
        {"step count", SheetHistory::kMaxBytes, 250, 1, 200},
        {"bytes", 5000, 20, 1000, 2},
        {"one step beyond the bytes is kept", 100, 3, 1000, 1},
    };
    for (const auto& row : rows) {
        SheetHistory history(SheetHistory::kMaxSteps, row.maxBytes);
        SheetState state;
        for (int n = 1; n <= row.steps; ++n) {
            state.formulas[0] = std::to_string(n) + std::string(row.lineSize, ' ');
            history.Record(state);
        }
        int undos = 0;
        for (; history.CanUndo(); ++undos)
            history.Undo();
        EXPECT_EQ(undos, row.kept) << row.name;
        EXPECT_EQ(history.Present().formulas[0],
                  std::to_string(row.steps - row.kept) + std::string(row.lineSize, ' '))
            << row.name;
    }
}
