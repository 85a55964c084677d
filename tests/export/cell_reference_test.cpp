#include "export/cell_reference.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct ValidCase {
    const char* name;
    std::string text;
    CellReference cell;
};

class ValidCellReferenceTest : public testing::TestWithParam<ValidCase> {};

TEST_P(ValidCellReferenceTest, Parses) {
    EXPECT_EQ(ParseCellReference(GetParam().text), GetParam().cell);
}

INSTANTIATE_TEST_SUITE_P(
    Export, ValidCellReferenceTest,
    testing::Values(ValidCase{"A1", "A1", {0, 0}}, ValidCase{"LowerCase", "c3", {2, 2}},
                    ValidCase{"Absolute", "$C$3", {2, 2}}, ValidCase{"AbsoluteRow", "C$3", {2, 2}},
                    ValidCase{"AbsoluteColumn", "$c3", {2, 2}}, ValidCase{"Z", "Z9", {8, 25}},
                    ValidCase{"TwoLetters", "AA10", {9, 26}},
                    ValidCase{"MixedCase", "aB2", {1, 27}},
                    ValidCase{"LastCell", "XFD1048576", {1048575, 16383}},
                    ValidCase{"LeadingZeroRow", "B007", {6, 1}}),
    [](const testing::TestParamInfo<ValidCase>& info) { return std::string(info.param.name); });

struct InvalidCase {
    const char* name;
    std::string text;
};

class InvalidCellReferenceTest : public testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidCellReferenceTest, Throws) {
    try {
        ParseCellReference(GetParam().text);
        FAIL() << "accepted " << GetParam().text;
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "セル参照が不正です: " + GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Export, InvalidCellReferenceTest,
    testing::Values(InvalidCase{"ColumnPastXFD", "XFE1"}, InvalidCase{"RowZero", "A0"},
                    InvalidCase{"RowPastLast", "A1048577"}, InvalidCase{"DigitsFirst", "1A"},
                    InvalidCase{"Empty", ""}, InvalidCase{"Blank", "A 1"},
                    InvalidCase{"LeadingBlank", " A1"}, InvalidCase{"TrailingBlank", "A1 "},
                    InvalidCase{"LettersOnly", "A"}, InvalidCase{"DigitsOnly", "11"},
                    InvalidCase{"DollarOnly", "$"}, InvalidCase{"DoubleDollar", "$$A1"},
                    InvalidCase{"Range", "A1:B2"}, InvalidCase{"FourLetters", "AAAA1"},
                    InvalidCase{"HugeRow", "A99999999999999999999"},
                    InvalidCase{"RowColumnStyle", "R1C1"}, InvalidCase{"FullWidth", "Ａ１"}),
    [](const testing::TestParamInfo<InvalidCase>& info) { return std::string(info.param.name); });

}  // namespace
