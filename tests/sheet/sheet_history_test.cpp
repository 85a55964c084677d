#include "sheet/sheet_history.h"

#include <gtest/gtest.h>

#include <string>

// Steps that each write their number, padded to a size, into line 0: beyond the bounds the
// oldest go, and undo reaches the oldest step kept.
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
        for (int n = 1; n <= row.steps; ++n) {
            const std::string padding(row.lineSize, ' ');
            history.Push({{{0, std::to_string(n - 1) + padding, std::to_string(n) + padding}}});
        }
        int undos = 0;
        const SheetStep* oldest = nullptr;
        for (const SheetStep* step; (step = history.Undo()) != nullptr; ++undos)
            oldest = step;
        EXPECT_EQ(undos, row.kept) << row.name;
        ASSERT_NE(oldest, nullptr);
        EXPECT_EQ(oldest->lines.front().before,
                  std::to_string(row.steps - row.kept) + std::string(row.lineSize, ' '))
            << row.name;
    }
}
