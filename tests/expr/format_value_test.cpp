#include "expr/format_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include "settings/execute_parameter.h"

namespace {

constexpr DisplayModes kReal{0, 0, 3, 8};

constexpr DisplayModes Comma(std::int32_t comma) {
    return {0, 0, comma, 8};
}
constexpr DisplayModes Integer(std::int32_t comma = 3) {
    return {1, 0, comma, 8};
}
constexpr DisplayModes Hex(std::int32_t hsize = 8) {
    return {1, 1, 3, hsize};
}

struct FormatCase {
    const char* name;
    Extended value;
    DisplayModes modes;
    const char* text;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class FormatValueTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatValueTest, Formats) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatValue(c.value, c.modes), c.text);
}

std::string CaseName(const testing::TestParamInfo<FormatCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Real, FormatValueTest,
    testing::Values(
        FormatCase{"Zero", 0.0L, kReal, "0"}, FormatCase{"NegativeZero", -0.0L, kReal, "0"},
        FormatCase{"OneThirdCutNotRounded", 1.0L / 3, kReal, "0.33333333333"},
        FormatCase{"TwoThirdsCutNotRounded", 2.0L / 3, kReal, "0.66666666666"},
        FormatCase{"ShortFraction", 123.45L, kReal, "123.45"},
        // The 15-digit rounding hides the binary noise of the sum.
        FormatCase{"FifteenDigitRounding", 0.1L + 0.2L, kReal, "0.3"},
        FormatCase{"WidenedDoubleTenth", static_cast<Extended>(0.1), kReal, "0.1"},
        FormatCase{"RoundingCarriesIntoNewDigit", 9.9999999999999999L, kReal, "10"},
        FormatCase{"ElevenDecimalsTrailingZerosDropped", 1.00000000000001L, kReal, "1"},
        FormatCase{"SixteenCharactersFewerThanElevenDecimals", -1234.50000000001L, Comma(0),
                   "-1234.5000000000"},
        // Digits 16 to 18 are 499 here; one unit more in the 18th would round up the 15th.
        FormatCase{"NearTieConvertedExactly", 8.8633562656784149949018570e+03L, Comma(0),
                   "8863.35626567841"},
        // The cut to sixteen characters can leave the point without a fraction.
        FormatCase{"CutLeavesPoint", -53222706417329.5L, Comma(0), "-53222706417329."},
        FormatCase{"LargestFixed", 999999999999999.0L, kReal, "999,999,999,999,999"},
        FormatCase{"RoundsUpToScientific", 999999999999999.5L, kReal, "1E+15"},
        FormatCase{"SmallestScientificPower", 1e15L, kReal, "1E+15"},
        FormatCase{"MantissaCutToFitExponent", 123456789012345678.0L, kReal, "1.2345678901E+17"},
        FormatCase{"CutMantissaKeepsZeros", 1.00000000000001e20L, kReal, "1.0000000000E+20"},
        FormatCase{"NegativeScientific", -1.5e20L, kReal, "-1.5E+20"},
        FormatCase{"ExponentBeyondDouble", 1.234567890123e4000L, kReal, "1.23456789E+4000"},
        FormatCase{"LargestExtended", std::numeric_limits<Extended>::max(), kReal,
                   "1.18973149E+4932"},
        FormatCase{"SmallestFixed", 0.0001L, kReal, "0.0001"},
        FormatCase{"BelowFixedRange", 0.00009L, kReal, "9E-5"},
        FormatCase{"NegativeExponent", 1.5e-7L, kReal, "1.5E-7"},
        FormatCase{"SmallestShown", 1e-11L, kReal, "1E-11"},
        FormatCase{"BelowSmallestShowsZero", 9.99e-12L, kReal, "0"},
        FormatCase{"TinyNegativeShowsZero", -1e-300L, kReal, "0"},
        FormatCase{"SmallestSubnormal", std::numeric_limits<Extended>::denorm_min(), kReal, "0"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Grouping, FormatValueTest,
    testing::Values(FormatCase{"ThreeWithFraction", 1234567.891L, kReal, "1,234,567.891"},
                    FormatCase{"ThreeNegative", -1234567.0L, kReal, "-1,234,567"},
                    FormatCase{"NoSeparatorAfterSign", -123.0L, kReal, "-123"},
                    FormatCase{"NoSeparatorAfterSignSixDigits", -123456.0L, kReal, "-123,456"},
                    FormatCase{"FourShort", 1234.0L, Comma(4), "1234"},
                    FormatCase{"Four", 123456789.0L, Comma(4), "1,2345,6789"},
                    FormatCase{"None", 1234567.891L, Comma(0), "1234567.891"},
                    FormatCase{"NegativeCountMeansNone", 1234567.0L, Comma(-3), "1234567"},
                    // The separator comes on top of the sixteen characters.
                    FormatCase{"SixteenCharactersPlusSeparator", -1234.50000000001L, kReal,
                               "-1,234.5000000000"},
                    FormatCase{"NotInMantissaOrExponent", 1.5e300L, kReal, "1.5E+300"},
                    FormatCase{"RealModeIgnoresHexadecimal", 255.0L, DisplayModes{0, 1, 3, 8},
                               "255"},
                    FormatCase{"RealModeHexadecimalStillGroups", 1234567.0L,
                               DisplayModes{0, 1, 3, 8}, "1,234,567"},
                    FormatCase{"UnknownViewModeSkipsGrouping", 1234567.0L, DisplayModes{0, 2, 3, 8},
                               "1234567"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    IntegerMode, FormatValueTest,
    testing::Values(FormatCase{"HalfAwayFromZero", 2.5L, Integer(), "3"},
                    FormatCase{"NegativeHalfAwayFromZero", -2.5L, Integer(), "-3"},
                    FormatCase{"SevenHalves", 7.0L / 2, Integer(), "4"},
                    FormatCase{"BelowHalf", 0.4L, Integer(), "0"},
                    FormatCase{"NegativeBelowHalfKeepsSign", -0.4L, Integer(), "-0"},
                    FormatCase{"ScientificNotRounded", 5e-5L, Integer(), "5E-5"},
                    FormatCase{"WholeNumberUnchanged", 1234567.0L, Integer(), "1,234,567"},
                    FormatCase{"RoundedThenGrouped", 1234567.6L, Integer(), "1,234,568"},
                    FormatCase{"RoundedWithoutGrouping", 123456789012.5L, Integer(0),
                               "123456789013"},
                    FormatCase{"RoundsFromCutText", 0.49999999999999L, Integer(), "0"},
                    FormatCase{"LargeScientificUntouched", 1e20L, Integer(), "1E+20"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, FormatValueTest,
    testing::Values(
        FormatCase{"PaddedToSize", 255.0L, Hex(), "000000FF"},
        FormatCase{"MinusOneLowDigits", -1.0L, Hex(4), "FFFF"},
        FormatCase{"MinusOneAllDigits", -1.0L, Hex(16), "FFFFFFFFFFFFFFFF"},
        FormatCase{"HighDigitsCutOff", 65536.0L, Hex(4), "0000"},
        FormatCase{"RoundedFirst", 2.7L, Hex(), "00000003"},
        FormatCase{"NegativeRoundedFirst", -2.5L, Hex(), "FFFFFFFD"},
        FormatCase{"OutOfRangeIsMinimum", 1e20L, Hex(), "00000000"},
        FormatCase{"OutOfRangeAllDigits", 1e19L, Hex(16), "8000000000000000"},
        FormatCase{"NegativeOutOfRange", -1e19L, Hex(16), "8000000000000000"},
        FormatCase{"NoGrouping", 1234567.0L, Hex(), "0012D687"},
        // Built from the shown text 1.2345678901E+18, not from the value.
        FormatCase{"FromShownScientificText", 1234567890123456789.0L, Hex(16), "112210F47C839500"},
        FormatCase{"TwoToTheSixtyThreeFromText", 0x1p63L, Hex(16), "7FFFFFFFFCBC3000"},
        FormatCase{"MinusTwoToTheSixtyThreeFromText", -0x1p63L, Hex(16), "8000000032F2D800"},
        FormatCase{"TinyIsZero", 1e-20L, Hex(), "00000000"},
        FormatCase{"SizeAboveSixteenShowsFirstSixteen", 255.0L, Hex(20), "0000000000000000"},
        FormatCase{"SizeZeroShowsNothing", 255.0L, Hex(0), ""}),
    CaseName);

constexpr Extended kInfinity = std::numeric_limits<Extended>::infinity();
constexpr Extended kNan = std::numeric_limits<Extended>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(NotFinite, FormatValueTest,
                         testing::Values(FormatCase{"Infinity", kInfinity, kReal, "INF"},
                                         FormatCase{"NegativeInfinity", -kInfinity, kReal, "-INF"},
                                         FormatCase{"NotANumber", kNan, kReal, "NAN"},
                                         FormatCase{"InfinityInteger", kInfinity, Integer(), "INF"},
                                         FormatCase{"InfinityHexadecimal", -kInfinity, Hex(),
                                                    "-INF"},
                                         FormatCase{"NotANumberHexadecimal", kNan, Hex(), "NAN"}),
                         CaseName);

TEST(FormatValue, NeverLongerThanSixteenPlusSeparators) {
    // Every decade of both signs, with a fraction, under every grouping.
    for (const std::int32_t comma : {0, 3, 4}) {
        for (int exponent = -20; exponent <= 25; ++exponent) {
            for (const Extended sign : {1.0L, -1.0L}) {
                const Extended value = sign * 1.23456789012345678L * std::pow(10.0L, exponent);
                const std::string text = FormatValue(value, Comma(comma));
                std::size_t separators = 0;
                for (char c : text)
                    separators += c == ',';
                SCOPED_TRACE(text);
                EXPECT_LE(text.size(), 16 + separators);
                EXPECT_EQ(text.find_first_not_of("0123456789-.,E+"), std::string::npos);
            }
        }
    }
}

TEST(FormatValue, TakesModesOfTheSettingsRecord) {
    ExecuteParameter settings;
    settings.CMODE = 1;
    settings.VMODE = 1;
    settings.HSIZE = 4;
    EXPECT_EQ(FormatValue(255.0L, settings.Modes()), "00FF");
    settings.VMODE = 0;
    settings.COMMA = 4;
    EXPECT_EQ(FormatValue(123456789.4L, settings.Modes()), "1,2345,6789");
}

// A hand-edited HSIZE beyond the display's 16 digits (or below one) is shown as the nearest
// size the display has, not as a row of zeros or nothing; the setting itself is kept.
TEST(FormatValue, HexDigitsOfTheSettingsRecordStayWithinTheDisplay) {
    ExecuteParameter settings;
    settings.CMODE = 1;
    settings.VMODE = 1;
    settings.HSIZE = 99;
    EXPECT_EQ(FormatValue(255.0L, settings.Modes()), "00000000000000FF");
    settings.HSIZE = 0;
    EXPECT_EQ(FormatValue(255.0L, settings.Modes()), "F");
    EXPECT_EQ(settings.HSIZE, 0);
}

}  // namespace
