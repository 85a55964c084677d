#include "export/pasted_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct NumberCase {
    const char* name;
    std::string field;
    std::optional<double> value;
};

class PastedNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(PastedNumberTest, Reads) {
    EXPECT_EQ(ReadPastedNumber(GetParam().field), GetParam().value) << GetParam().field;
}

constexpr std::nullopt_t kText = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Export, PastedNumberTest,
    testing::Values(
        NumberCase{"Integer", "3", 3}, NumberCase{"Zero", "0", 0},
        NumberCase{"Negative", "-42", -42}, NumberCase{"Plus", "+7", 7},
        NumberCase{"Decimal", "1234.5", 1234.5}, NumberCase{"Grouped", "1,234.5", 1234.5},
        NumberCase{"GroupedTwice", "-12,345,678", -12345678},
        NumberCase{"GroupsOfFour", "1,2345,6789", 123456789}, NumberCase{"FractionOnly", ".5", 0.5},
        NumberCase{"NegativeFraction", "-.25", -0.25}, NumberCase{"PointWithoutDigits", "5.", 5},
        NumberCase{"ZeroPoint", "0.001", 0.001}, NumberCase{"Exponent", "1.5E+20", 1.5e20},
        NumberCase{"SmallExponent", "2e-3", 0.002}, NumberCase{"Blanks", "  12  ", 12},
        NumberCase{"Largest", "1.7976931348623157E+308", 1.7976931348623157e308},
        NumberCase{"Empty", "", kText}, NumberCase{"SignOnly", "-", kText},
        NumberCase{"PointOnly", ".", kText}, NumberCase{"Label", "A0", kText},
        NumberCase{"Error", "ゼロで除算", kText}, NumberCase{"Formula", "=SUM(A1)", kText},
        NumberCase{"Text", "-abc", kText}, NumberCase{"Expression", "1+2", kText},
        NumberCase{"LeadingZeros", "00000010", kText}, NumberCase{"HexDigits", "000000FF", kText},
        NumberCase{"MixedGroups", "1,234,5678", kText},
        NumberCase{"LongFirstGroup", "12345,678", kText}, NumberCase{"ShortGroup", "1,23", kText},
        NumberCase{"TrailingComma", "1,", kText}, NumberCase{"LeadingComma", ",123", kText},
        NumberCase{"GroupInFraction", "1.234,5", kText}, NumberCase{"TwoPoints", "1.2.3", kText},
        NumberCase{"ExponentWithoutDigits", "1e", kText}, NumberCase{"ExponentOnly", "e5", kText},
        NumberCase{"DoubleSign", "--1", kText}, NumberCase{"InnerBlank", "1 000", kText},
        NumberCase{"TooLarge", "1e400", kText}, NumberCase{"Infinity", "inf", kText},
        NumberCase{"NotANumber", "nan", kText}, NumberCase{"HexPrefix", "0x10", kText}),
    [](const testing::TestParamInfo<NumberCase>& info) { return std::string(info.param.name); });

using Rows = std::vector<std::vector<std::string>>;

TEST(PastedText, LinesBecomeRowsAndTabsColumns) {
    EXPECT_EQ(SplitPastedText("A0\t3\t1+2\r\nA2\tゼロで除算\t1/0\r\n"),
              (Rows{{"A0", "3", "1+2"}, {"A2", "ゼロで除算", "1/0"}}));
    EXPECT_EQ(SplitPastedText("a\t\tc\nb\t"), (Rows{{"a", "", "c"}, {"b", ""}}));
    EXPECT_EQ(SplitPastedText("x\r\r\ny"), (Rows{{"x"}, {""}, {"y"}}));
    EXPECT_EQ(SplitPastedText(""), Rows{});
}

// The workbook receives these rows instead of reading the clipboard back: numbers as numbers,
// except in the field that must stay as shown.
TEST(PastedText, RowsAreTyped) {
    const std::string text = "A0\t1,234.5\t0010\r\nA1\t\t-2\r\n";
    const struct {
        int textField;
        std::vector<PastedRow> rows;
    } cases[] = {
        {-1, {{"A0", 1234.5, "0010"}, {"A1", "", -2.0}}},
        {1, {{"A0", "1,234.5", "0010"}, {"A1", "", -2.0}}},
        {2, {{"A0", 1234.5, "0010"}, {"A1", "", "-2"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadPastedRows(text, c.textField), c.rows) << c.textField;
}

}  // namespace
