#include "expr/half_width.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HalfWidth, FoldsTheFullWidthTable) {
    struct Row {
        const char* name;
        std::string in;
        std::string out;
    };
    const Row rows[] = {
        {"digits and plus", "１２＋３", "12+3"},
        {"multiplication sign stays", "２×３", "2×3"},
        {"ideographic space and parentheses", "　（１）", " (1)"},
        {"operators", "＊／－", "*/-"},
        {"letter ends", "ＡＺａｚ", "AZaz"},
        {"full row", "０１２３４５６７８９ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ",
         "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {"small letters", "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ",
         "abcdefghijklmnopqrstuvwxyz"},
        {"neighbours outside the table", "＝＠［｀｛，", "＝＠［｀｛，"},
        {"minus sign is not the full-width hyphen-minus", "−", "−"},
        {"other scripts stay", "é日本ｱ", "é日本ｱ"},
        {"four-byte character stays",
         "\xF0\x9F\x98\x80"
         "１",
         "\xF0\x9F\x98\x80"
         "1"},
        {"stray lead byte is kept",
         "\xE3"
         "１",
         "\xE3"
         "1"},
        {"cut sequence at the end", "1\xEF\xBC", "1\xEF\xBC"},
        {"stray continuation bytes", "\x90\x91", "\x90\x91"},
        {"ascii untouched", " sin(A1)*2 ", " sin(A1)*2 "},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ToHalfWidth(r.in), r.out) << r.name;
}

}  // namespace
