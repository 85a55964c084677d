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

}  // namespace
