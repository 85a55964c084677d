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

TEST(PastedFormula, LastFieldWithoutControlCharacters) {
    const struct {
        std::string line;
        std::string formula;
    } cases[] = {
        {"1+2", "1+2"},
        {"A0\t3\t1+2", "1+2"},
        {"A99\t? A1\tA1", "A1"},
        {"A0\t3\t", ""},
        // Only a row shaped like the export gives its last column; other TABs are blanks.
        {"1+\t2", "1+ 2"},
        {"12\t34\t", "12 34 "},
        {"3\tA0*2", "3 A0*2"},
        {"A100\t3\t1+2", "A100 3 1+2"},
        {"A01\t3\t1+2", "A01 3 1+2"},
        {"A0\t3\t1+\t2", "A0 3 1+ 2"},
        {"1\x01+\x1B"
         "2\x7F",
         "1+2"},
        {"1\xC2\x85+2", "1+2"},  // U+0085, a control character of the second set
        {"\xC2\xA0\xE8\xA8\x88", "\xC2\xA0\xE8\xA8\x88"},  // no-break space and a kanji stay
    };
    for (const auto& c : cases)
        EXPECT_EQ(PastedFormula(c.line), c.formula) << c.line;
}

}  // namespace
