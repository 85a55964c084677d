#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include "expr/calc_expression.h"
#include "expr/format_value.h"

namespace {

const std::string kIncomplete = "式が不完全";

std::string Repeat(const std::string& part, std::size_t length) {
    std::string text;
    while (text.size() < length)
        text += part;
    text.resize(length);
    return text;
}

struct HostileCase {
    const char* name;
    std::string formula;
    std::vector<std::string> constants;
    std::int32_t code;
    std::string text;  // the error text, or the result formatted under the default modes
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

class HostileFormulaTest : public testing::TestWithParam<HostileCase> {};

// Formulas at and beyond the input line's 300 characters, and constants that refer to
// themselves: each ends in one definite outcome, without a hang or a crash.
TEST_P(HostileFormulaTest, EndsInADefiniteOutcome) {
    const HostileCase& c = GetParam();
    CalcExpression calc;
    calc.Constants = c.constants;
    calc.Calculate(c.formula);
    EXPECT_EQ(calc.ErrorCode, c.code) << calc.ErrorText;
    EXPECT_EQ(c.code == 0 ? FormatValue(calc.ResultValue, DisplayModes{}) : calc.ErrorText, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Robustness, HostileFormulaTest,
    testing::Values(
        // 149 nested groups need more work entries than there are.
        HostileCase{"NestedParentheses300",
                    std::string(149, '(') + "12" + std::string(149, ')'),
                    {},
                    ErrIncomplete,
                    kIncomplete},
        HostileCase{"NestedParentheses201",
                    std::string(100, '(') + "7" + std::string(100, ')'),
                    {},
                    0,
                    "7"},
        HostileCase{"OnlyOpening300", std::string(300, '('), {}, ErrIncomplete, kIncomplete},
        HostileCase{"OnlyClosing300", std::string(300, ')'), {}, ErrIncomplete, kIncomplete},
        HostileCase{"EmptyGroups300",
                    std::string(150, '(') + std::string(150, ')'),
                    {},
                    ErrIncomplete,
                    kIncomplete},
        HostileCase{"SeventyFiveGroups", Repeat("(1)+", 299), {}, 0, "75"},
        HostileCase{"HundredFiftyOperands", Repeat("1+", 299), {}, ErrIncomplete, kIncomplete},
        HostileCase{"TenThousandCharacters", Repeat("9*", 9999), {}, ErrIncomplete, kIncomplete},
        HostileCase{
            "BlanksAndControls300", Repeat(" \t\r\n\x01", 300), {}, ErrIncomplete, kIncomplete},
        // NUL is no token character, so it starts a name that is not defined.
        HostileCase{
            "NulInside", std::string("1\0+2", 4), {}, ErrUndefinedName, std::string("? \0", 3)},
        HostileCase{"WorkReferenceBeyondTable", "#100", {}, ErrIncomplete, kIncomplete},
        HostileCase{"WorkReferenceNegative", "#-1", {}, ErrIncomplete, kIncomplete},
        HostileCase{"WorkReferenceHuge", "#99999999999999999999", {}, ErrIncomplete, kIncomplete},
        HostileCase{"ConstantIsItself", "X", {"X=X"}, ErrUndefinedName, "? X"},
        HostileCase{"ConstantsReferEachOther", "X+1", {"X=Y", "Y=X"}, ErrIncomplete, kIncomplete},
        HostileCase{"ConstantGrowsItself", "X", {"X=X+1"}, ErrIncomplete, kIncomplete},
        HostileCase{
            "ConstantMultipliesItself", "X", {"X=X*X*X*X*X*X*X*X"}, ErrIncomplete, kIncomplete},
        HostileCase{"SelfReferenceInGroup", "(X)*2", {"X=(X)"}, ErrIncomplete, kIncomplete}),
    [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

struct ModesCase {
    const char* name;
    DisplayModes modes;
    Extended value;
    std::string text;
};

void PrintTo(const ModesCase& c, std::ostream* os) {
    *os << c.name;
}

class OutOfRangeModesTest : public testing::TestWithParam<ModesCase> {};

// A hand-edited settings file can carry any number for the display settings.
TEST_P(OutOfRangeModesTest, FormatsWithoutOverrun) {
    const ModesCase& c = GetParam();
    EXPECT_EQ(FormatValue(c.value, c.modes), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Robustness, OutOfRangeModesTest,
    testing::Values(ModesCase{"CommaSeven", {0, 0, 7, 8}, 123456789012345.0L, "1,2345678,9012345"},
                    ModesCase{"CommaSevenNegative", {0, 0, 7, 8}, -1234567.891L, "-1234567.891"},
                    ModesCase{"CommaSevenInteger", {1, 0, 7, 8}, -12345678.5L, "-1,2345679"},
                    ModesCase{"CommaNegative", {0, 0, -3, 8}, 1234567.0L, "1234567"},
                    ModesCase{"CommaHuge", {0, 0, INT_MAX, 8}, 1234567.0L, "1234567"},
                    ModesCase{"VmodeTwo", {1, 2, 3, 8}, 1234567.4L, "1234567"},
                    ModesCase{"CmodeTwo", {2, 1, 3, 8}, 1234.5L, "1,234.5"},
                    ModesCase{"HsizeZero", {1, 1, 3, 0}, 255.0L, ""},
                    ModesCase{"HsizeNegative", {1, 1, 3, INT_MIN}, 255.0L, ""}),
    [](const testing::TestParamInfo<ModesCase>& info) { return info.param.name; });

// More hexadecimal digits than the display has: never more than 16, all hexadecimal.
TEST(OutOfRangeModesTest, HsizeBeyondSixteenKeepsSixteenDigits) {
    for (const std::int32_t hsize : {17, 99, INT_MAX}) {
        for (const Extended value : {255.0L, -1.0L, 1e20L, 0.0L}) {
            const std::string text = FormatValue(value, {1, 1, 3, hsize});
            EXPECT_EQ(text.size(), 16u) << hsize << " " << static_cast<double>(value);
            EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF"), std::string::npos) << text;
        }
    }
}

}  // namespace
