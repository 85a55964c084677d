#include "platform/text_cut.h"

#include <gtest/gtest.h>

namespace {

// One unit per character, as in a fixed-pitch font.
int Characters(const std::string& text) {
    int count = 0;
    for (const char byte : text)
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}

// A text cut short never reads as another number.
TEST(TextCut, CutNumberKeepsItsSizeOrReadsAsNone) {
    struct Row {
        const char* text;
        int avail;
        const char* shown;
    };
    const Row rows[] = {
        {"1.2193263111E+17", 16, "1.2193263111E+17"},
        {"1.2193263111E+17", 12, "1.21932…E+17"},
        {"-1.5E-20", 7, "-1…E-20"},
        {"-1.5E-20", 6, "###"},
        {"1E+15", 4, "###"},
        {"-1,234,567.891", 13, "-1,234,567.8…"},
        {"-1,234,567.891", 11, "-1,234,567…"},
        {"0.001", 4, "0.0…"},
        {"123,456,789", 8, "###"},
        {"00000E5F", 6, "###"},               // hexadecimal: the E is a digit
        {"ABCDEFABCDEFABCDEF", 6, "ABCDE…"},  // longer than any hexadecimal display
        {"12", 1, "#"},
        {" Sum 6.4277521770E+60", 14, " Sum 6.42…E+60"},
        {" Sum 6.4277521770E+60", 7, " Sum ##"},
        {" Sum 6.4277521770E+60", 4, " Su…"},
        {" n 100", 5, " n ##"},
        {"A0*1.08+SQRT(2)", 6, "A0*1.…"},
        {"ゼロで除算", 3, "ゼロ…"},
        {"? X", 2, "?…"},
        {"1.5E", 3, "1.…"},  // not a number: no digits after the E
    };
    for (const Row& row : rows)
        EXPECT_EQ(FitText(row.text, row.avail, Characters), row.shown) << row.text;
}

}  // namespace
