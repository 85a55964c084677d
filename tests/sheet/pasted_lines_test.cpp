#include "sheet/pasted_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

TEST(SplitPastedLines, EveryLineEndCutsAndAFinalOneAddsNothing) {
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {""}},
        {"1+2", {"1+2"}},
        {"1+2\r\n", {"1+2"}},
        {"1\r\n2\n3\r4", {"1", "2", "3", "4"}},
        {"1\n\n2\n", {"1", "", "2"}},
        {"\n", {""}},
        {"\n\n", {"", ""}},
        {"\r\r\n", {"", ""}},
        {"A0\t3\t1+2\r\nA1\t6\tA0*2\r\n", {"A0\t3\t1+2", "A1\t6\tA0*2"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitPastedLines(c.text), c.lines) << c.text;
}

TEST(PlanPasteFill, FillsBelowUpToTheLastLineAndCountsTheRest) {
    const struct {
        int current, count, firstBelow, lastBelow, dropped;
        bool fillsBelow;
    } cases[] = {
        {4, 1, 5, 4, 0, false},   {4, 6, 5, 9, 0, true},      {95, 5, 96, 99, 0, true},
        {95, 8, 96, 99, 3, true}, {99, 3, 100, 99, 2, false}, {0, 100, 1, 99, 0, true},
    };
    for (const auto& c : cases) {
        const PasteFill fill = PlanPasteFill(c.current, c.count, 100);
        EXPECT_EQ(fill.firstBelow, c.firstBelow) << c.current << "+" << c.count;
        EXPECT_EQ(fill.lastBelow, c.lastBelow) << c.current << "+" << c.count;
        EXPECT_EQ(fill.dropped, c.dropped) << c.current << "+" << c.count;
        EXPECT_EQ(fill.FillsBelow(), c.fillsBelow) << c.current << "+" << c.count;
    }
}

}  // namespace
