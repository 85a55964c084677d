#include "expr/calc_expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* Pi = "PI=3.1415926535897932384626433832795";
constexpr Extended PiValue = 3.1415926535897932384626433832795L;

// One formula with its surroundings and the expected outcome. A row with code 0 expects value
// (within a relative tolerance); a row with an error code expects that code and text.
struct Row {
    const char* name = "";
    std::string formula;
    int code = 0;
    Extended value = 0;
    std::string text;
    Extended tolerance = 0;
    int degree = 1;
    std::vector<std::string> constants;
    std::vector<std::pair<int, Extended>> lines;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.formula;
}

Row Value(const char* name, std::string formula, Extended value, Extended tolerance = 0) {
    Row row;
    row.name = name;
    row.formula = std::move(formula);
    row.value = value;
    row.tolerance = tolerance;
    return row;
}

Row Error(const char* name, std::string formula, int code, std::string text) {
    Row row;
    row.name = name;
    row.formula = std::move(formula);
    row.code = code;
    row.text = std::move(text);
    return row;
}

Row With(Row row, std::vector<std::string> constants,
         std::vector<std::pair<int, Extended>> lines = {}) {
    row.constants = std::move(constants);
    row.lines = std::move(lines);
    return row;
}

Row Radians(Row row) {
    row.degree = 0;
    return row;
}

const std::string Incomplete = "式が不完全";
const std::string ZeroDivide = "ゼロで除算";
const std::string Overflow = "オーバーフロー";
const std::string Underflow = "アンダーフロー";

class CalculateTest : public testing::TestWithParam<Row> {};

TEST_P(CalculateTest, Outcome) {
    const Row& row = GetParam();
    CalcExpression calc;
    calc.Degree = row.degree;
    calc.Constants = row.constants;
    for (const auto& [line, value] : row.lines)
        calc.LineValues.values[line] = value;

    const Extended returned = calc.Calculate(row.formula);
    EXPECT_EQ(calc.ErrorCode, row.code) << "text: " << calc.ErrorText;
    if (row.code == 0) {
        EXPECT_EQ(calc.ErrorText, "");
        EXPECT_EQ(returned, calc.ResultValue);
        if (row.tolerance == 0) {
            EXPECT_EQ(calc.ResultValue, row.value);
        } else {
            EXPECT_LE(std::fabs(calc.ResultValue - row.value), row.tolerance * std::fabs(row.value))
                << static_cast<double>(calc.ResultValue);
        }
    } else {
        EXPECT_EQ(calc.ErrorText, row.text);
    }
}

std::string RowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Operators, CalculateTest,
    testing::Values(Value("Precedence", "1+2*3", 7), Value("PowerLeftAssociative", "2^3^2", 64),
                    Value("MinusLeftAssociative", "10-4-3", 3),
                    Value("DivideLeftAssociative", "8/4/2", 1),
                    Value("MultiplyDivideOneLevel", "2*3/4", 1.5L),
                    Value("PowerBeforeProduct", "2*3^2", 18), Value("Group", "(1+2)*3", 9),
                    Value("NestedGroups", "((2))", 2), Value("GroupAfterGroup", "(1+1)*(2+2)", 8),
                    Value("ExponentPlus", "2E+5", 200000), Value("Exponent", "2E5", 200000),
                    Value("ExponentMinus", "2.5E-1", 0.25L),
                    Value("ExponentThenOperator", "1E+2+1", 101),
                    Value("Fraction", "0.5+1.25", 1.75L), Value("Hexadecimal", "HFF", 255),
                    Value("HexadecimalAlone", "H", 0), Value("HexadecimalInFormula", "H10*2", 32),
                    Value("HexadecimalSixteenDigits", "HFFFFFFFFFFFFFFFF", 18446744073709551615.0L),
                    Value("DecimalNeedsGeneralConversion", "123456789012345678901234",
                          123456789012345678901234.0L),
                    Value("TypedWorkReference", "(7)+#0", 14)),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    Signs, CalculateTest,
    testing::Values(Value("LeadingMinusBeforePower", "-2^2", -4),
                    Value("SignBelongsToNumber", "2*-3^2", 18), Value("DoubleMinus", "2--3", 5),
                    Value("LeadingMinus", "-5+1", -4),
                    Value("PowerOfNegativeExponent", "2^-1", 0.5L),
                    Value("LeadingMinusGroup", "-(2+3)", -5),
                    Error("TripleMinus", "2---3", ErrIncomplete, Incomplete),
                    Error("PlusAfterOperator", "2*+3", ErrIncomplete, Incomplete),
                    Error("LeadingPlus", "+5", ErrIncomplete, Incomplete),
                    Error("TrailingDivide", "5/", ErrIncomplete, Incomplete),
                    Error("MinusBeforeGroup", "2*-(1)", ErrIncomplete, Incomplete),
                    With(Error("MinusBeforeName", "2*-PI", ErrIncomplete, Incomplete), {Pi})),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    Names, CalculateTest,
    testing::Values(
        With(Value("ConstantAnyCase", "pi", PiValue), {Pi}),
        With(Value("LineReference", "A3*2", 10), {}, {{3, 5}}),
        With(Value("LineReferenceLowerCase", "a3*2", 10), {}, {{3, 5}}),
        With(Value("LineReferenceLastLine", "A99+A0", 3), {}, {{99, 1}, {0, 2}}),
        // A line reference leaves its first work entry behind: #0 is line 3 as well.
        With(Value("LineReferenceTakesTwoEntries", "A3+#0", 10), {}, {{3, 5}}),
        With(Error("EmptyLine", "A4", ErrUndefinedName, "? A4"), {}, {{3, 5}}),
        With(Error("LineBeyondSheet", "A100", ErrUndefinedName, "? A100"), {}, {{99, 1}}),
        Error("UndefinedName", "X+1", ErrUndefinedName, "? X"),
        Error("UndefinedNameInArgument", "SIN(X)", ErrUndefinedName, "? X"),
        Error("BadHexadecimal", "HFG", ErrUndefinedName, "? HFG"),
        With(Value("FormulaConstant", "1/TWOPI", PiValue / 2, 1e-18L), {"TWOPI=2*PI", Pi}),
        With(Value("ThousandsSeparators", "K+1", 1001), {"K=1,000"}),
        Error("SeparatorInFormula", "1,000+1", ErrIncomplete, Incomplete),
        With(Error("ExponentNotConstant", "E+1", ErrIncomplete, Incomplete), {"E=2"}),
        With(Value("NameStartingWithE", "EX+1", 3), {"EX=2"}),
        With(Error("EndlessChain", "X", ErrIncomplete, Incomplete), {"X=Y", "Y=X"}),
        With(Error("SelfReference", "X", ErrUndefinedName, "? X"), {"X=X"}),
        With(Error("ConstantWithGroup", "TWOPI", ErrIncomplete, Incomplete), {"TWOPI=2*(PI)", Pi}),
        With(Error("ConstantWithCall", "S+1", ErrUndefinedName, "? SIN"), {"S=SIN(1)"}),
        With(Value("HexadecimalConstant", "M", 255), {"M=HFF"}),
        With(Error("LowerCaseHexadecimal", "M", ErrUndefinedName, "? hff"), {"M=hff"}),
        With(Value("FirstDefinitionWins", "PI", 1), {"pi=1", "PI=2"}),
        With(Value("LineWithoutEqualsSkipped", "PI", 4), {"PI", "", "PI=4"}),
        With(Value("ConstantHidesLine", "A5", 7), {"A5=7"}, {{5, 3}}),
        With(Value("ConstantHidesHexadecimal", "HA", 3), {"HA=3"}), Value("HexadecimalA", "HA", 10),
        With(Value("ExponentConstant", "C", 299792500), {"C=299792.5E+3"}),
        With(Value("BlanksAroundNumber", "X", 42), {"X= 42 "}),
        With(Value("NegativeConstant", "2*X", -10), {"X=-5"}),
        With(Value("ConstantFormulaWithLeadingMinus", "X*2", -12), {"X=-2*3"}),
        With(Value("FullWidthConstantName", "PI", 3), {"ＰＩ=3"}),
        With(Value("FullWidthLowerCaseName", "PI", 3), {"ｐｉ=3"}),
        With(Value("JapaneseConstantName", "円*2", 200), {"円=100"}),
        Error("JapaneseName", "円", ErrUndefinedName, "? 円"),
        Error("FullWidthDigitIsAName", "１+1", ErrUndefinedName, "? １"),
        Error("IdeographicBlankStays", "\u30001", ErrUndefinedName, "? \u30001"),
        Error("InvalidUtf8IsAName", "\xff+1", ErrUndefinedName, "? \xff")),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    Functions, CalculateTest,
    testing::Values(
        Value("Sine", "SIN(30)", 0.5L, 1e-15L),
        Value("LowerCaseAndBlanks", "sin( 30 )", 0.5L, 1e-15L),
        Value("Cosine", "COS(60)", 0.5L, 1e-15L), Value("Tangent", "TAN(45)", 1, 1e-15L),
        Value("ArcSine", "ASIN(0.5)", 30, 1e-15L), Value("ArcCosine", "ACOS(0.5)", 60, 1e-15L),
        Value("ArcTangent", "ATAN(1)", 45, 1e-15L), Value("Logarithm", "LOG(1)", 0),
        Value("Log10", "LOG10(1000)", 3, 1e-18L), Value("SquareRoot", "SQRT(16)", 4),
        Value("CallInFormula", "2*SQRT(9)+1", 7), Value("NestedCalls", "SQRT(SQRT(16))", 2),
        Value("ArcTangentJustUnder90", "ATAN(1E11)", 90, 1e-11L),
        Radians(Value("SineRadians", "SIN(1)", sinl(1))),
        Radians(Value("ArcTangentRadians", "ATAN(1)*4", PiValue, 1e-18L)),
        Radians(Value("SineBelowLimit", "SIN(9E18)", sinl(9e18L))),
        Error("TangentAt90", "TAN(90)", ErrBadArgument, "TANの引数が不正"),
        Error("TangentAtMinus90", "TAN(-90)", ErrBadArgument, "TANの引数が不正"),
        Error("TangentAt270", "TAN(270)", ErrBadArgument, "TANの引数が不正"),
        Error("TangentAt450", "TAN(450)", ErrBadArgument, "TANの引数が不正"),
        Error("TangentAtMinus270", "TAN(-270)", ErrBadArgument, "TANの引数が不正"),
        Error("TangentAt630", "TAN(630)", ErrBadArgument, "TANの引数が不正"),
        Error("TangentAtLargeOddMultiple", "TAN(90*100000001)", ErrBadArgument, "TANの引数が不正"),
        Value("TangentNextTo270", "TAN(270.001)", tanl(270.001L / DegreeFactor), 1e-15L),
        Radians(With(
            Error("TangentAtThreeHalfPi", "TAN(3*PI/2)", ErrBadArgument, "TANの引数が不正"), {Pi})),
        Radians(With(Error("TangentAtFarOddHalfPi", "TAN(100001*PI/2)", ErrBadArgument,
                           "TANの引数が不正"),
                     {Pi})),
        Radians(Value("TangentOfLargeRadians", "TAN(1E15)", tanl(1e15L))),
        Error("ArcTangentTooLarge", "ATAN(1E12)", ErrBadArgument, "ATANの引数が不正"),
        Error("ArcTangentTooSmall", "ATAN(-1E12)", ErrBadArgument, "ATANの引数が不正"),
        Error("SquareRootNegative", "SQRT(-1)", ErrBadArgument, "SQRTの引数が不正"),
        Error("LogarithmOfZero", "LOG(0)", ErrBadArgument, "LOGの引数が不正"),
        Error("LogarithmNegative", "LOG(-1)", ErrBadArgument, "LOGの引数が不正"),
        Error("Log10OfZero", "LOG10(0)", ErrBadArgument, "LOG10の引数が不正"),
        Error("ArcSineAboveOne", "ASIN(2)", ErrBadArgument, "ASINの引数が不正"),
        Error("ArcCosineBelowMinusOne", "ACOS(-1.5)", ErrBadArgument, "ACOSの引数が不正"),
        Error("SineHugeDegrees", "SIN(1E21)", ErrBadArgument, "SINの引数が不正"),
        Radians(Error("CosineAt2To63", "COS(9223372036854775808)", ErrBadArgument,
                      "COSの引数が不正")),
        Error("ResultBeyondSentinel", "SQRT(1E700)", ErrBadArgument, "SQRTの引数が不正"),
        Error("UnknownFunction", "FOO(1)", ErrUndefinedFunction, "? FOO()"),
        Error("NumberBeforeGroup", "2(3)", ErrUndefinedFunction, "? 2()"),
        Error("GroupBeforeGroup", "(1)(2)", ErrUndefinedFunction, "? #0()"),
        Error("FunctionNamesAreExact", "SINE(1)", ErrUndefinedFunction, "? SINE()"),
        Error("ArgumentBeforeName", "FOO(X)", ErrUndefinedName, "? X")),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    Power, CalculateTest,
    testing::Values(Value("ZeroExponent", "5^0", 1),
                    Value("NegativeBaseZeroExponent", "(0-5)^0", 1), Value("ZeroBase", "0^2", 0),
                    Error("ZeroToZero", "0^0", ErrOverflow, Overflow),
                    Error("ZeroToNegative", "0^-1", ErrOverflow, Overflow),
                    Value("NegativeIntegralExponent", "(0-2)^3", -8),
                    Error("NegativeFractionalExponent", "(-8)^0.5", ErrOverflow, Overflow),
                    // A failed power stays an error whatever follows it.
                    Error("FailedPowerTimesZero", "(-8)^0.5*0", ErrOverflow, Overflow),
                    Error("FailedPowerDivided", "(-8)^0.5/1E300", ErrOverflow, Overflow),
                    Error("OverflowingPowerDivided", "2^99999/1E300", ErrOverflow, Overflow),
                    Error("PoleDivided", "0^-1/1E301", ErrOverflow, Overflow),
                    Error("FailedPowerAsArgument", "SQRT(0^-1)", ErrOverflow, Overflow),
                    Error("UnstoredWorkValueTimesZero", "#5*0", ErrOverflow, Overflow),
                    Error("NegativeCubeRoot", "(-8)^(1/3)", ErrOverflow, Overflow),
                    Error("ExtendedOverflow", "2^16384", ErrOverflow, Overflow),
                    Error("ExtendedUnderflow", "2^-16446", ErrOverflow, Overflow),
                    Value("BeyondDoubleTimesZero", "10^400*0", 0),
                    Value("Fractional", "0.5^2", 0.25L), Value("SquareRootByPower", "4^0.5", 2)),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    Errors, CalculateTest,
    testing::Values(Error("DivideByZero", "1/0", ErrZeroDivide, ZeroDivide),
                    Error("ZeroByZero", "0/0", ErrZeroDivide, ZeroDivide),
                    Error("DivideByZeroGroup", "1/(1-1)", ErrZeroDivide, ZeroDivide),
                    Error("UnclosedGroup", "(2+3", ErrIncomplete, Incomplete),
                    Error("UnopenedGroup", "2+3)", ErrIncomplete, Incomplete),
                    Error("UnclosedAfterNumber", "2(3", ErrIncomplete, Incomplete),
                    Error("EmptyGroup", "()", ErrIncomplete, Incomplete),
                    Error("EmptyFormula", "", ErrIncomplete, Incomplete),
                    Error("OnlyBlanks", "   ", ErrIncomplete, Incomplete),
                    Error("TabIsAName", "1\t+2", ErrUndefinedName, "? \t"),
                    Value("ControlCharactersTrimmed", "\t1+2\r\n", 3),
                    Value("TrailingNulTrimmed", std::string("1+2\0", 4), 3),
                    Error("NulInside", std::string("1+\0", 3) + "2", ErrUndefinedName,
                          std::string("? \0", 3) + "2"),
                    Value("BlanksRemoved", " 1 + 2 ", 3),
                    Error("Overflow", "1E300*10", ErrOverflow, Overflow),
                    Error("BeyondDoubleRange", "1E400", ErrOverflow, Overflow),
                    Error("NegativeOverflow", "-1E400", ErrOverflow, Overflow),
                    Error("Underflow", "1E-300/10", ErrUnderflow, Underflow),
                    Error("BelowDoubleRange", "1E-4000", ErrUnderflow, Underflow),
                    Error("LiteralBelowSubnormals", "1/1E-5000", ErrUnderflow, Underflow),
                    With(Error("ConstantBelowSubnormals", "LOG(TINY)", ErrUnderflow, Underflow),
                         {"TINY=1E-5000"}),
                    Value("ZeroIsNoUnderflow", "0*1E-301", 0),
                    Value("LargestAllowed", "1E300", 1e300L),
                    Error("StepLeavesExtendedRange", "1E4000*1E4000", ErrIncomplete, Incomplete),
                    Error("NumberBeyondExtendedRange", "1E5000", ErrIncomplete, Incomplete),
                    Error("UnstoredWorkValue", "#5", ErrOverflow, Overflow),
                    Error("WorkReferenceBeyondTable", "#100", ErrIncomplete, Incomplete),
                    Error("WorkReferenceNegative", "#-1", ErrIncomplete, Incomplete),
                    Error("WorkReferenceFraction", "#1.5", ErrIncomplete, Incomplete),
                    Error("WorkReferenceEmpty", "#", ErrIncomplete, Incomplete),
                    Error("MalformedNumber", "1.2.3", ErrIncomplete, Incomplete),
                    Error("ExponentWithoutDigits", "1E+", ErrIncomplete, Incomplete),
                    Error("TrailingEIsAName", "1E", ErrUndefinedName, "? E"),
                    Value("EqualsSignInName", "=5", 5),
                    // The first failure decides: names are expanded before any arithmetic,
                    // groups are resolved before the flat rest, passes run in order.
                    Error("NameBeforeDivision", "1/0+X", ErrUndefinedName, "? X"),
                    Error("GroupBeforeName", "X+(1/0)", ErrZeroDivide, ZeroDivide),
                    Error("DivisionBeforeRange", "1/0+1E4000*1E4000", ErrZeroDivide, ZeroDivide),
                    Error("RangeBeforeDivision", "1E4000*1E4000+1/0", ErrIncomplete, Incomplete),
                    Error("FirstGroupDecides", "SIN(X)+FOO(1)", ErrUndefinedName, "? X"),
                    Error("FirstCallDecides", "FOO(1)+SIN(X)", ErrUndefinedFunction, "? FOO()"),
                    Error("BadArgumentFirst", "TAN(90)+(1/0)", ErrBadArgument, "TANの引数が不正"),
                    Error("OperandBeforeDivision", "1/0+", ErrIncomplete, Incomplete)),
    RowName);

std::string Repeat(const std::string& part, int count, const std::string& separator) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? separator : "") + part;
    return text;
}

// A chain C0=C1, C1=C2, ..., ending in a number: the formula C0 needs `length` expansions.
std::vector<std::string> Chain(int length) {
    std::vector<std::string> constants;
    for (int i = 0; i + 1 < length; ++i) {
        constants.push_back("C" + std::to_string(i) + "=C" + std::to_string(i + 1));
    }
    constants.push_back("C" + std::to_string(length - 1) + "=1");
    return constants;
}

INSTANTIATE_TEST_SUITE_P(
    Limits, CalculateTest,
    testing::Values(Value("HundredOperands", Repeat("1", 100, "+"), 100),
                    Error("HundredOneOperands", Repeat("1", 101, "+"), ErrIncomplete, Incomplete),
                    Value("HundredGroups", Repeat("(1)", 100, "+"), 100),
                    Error("HundredOneGroups", Repeat("(1)", 101, "+"), ErrIncomplete, Incomplete),
                    Value("DeepNesting", std::string(99, '(') + "1" + std::string(99, ')'), 1),
                    Error("TooDeepNesting", std::string(101, '(') + "1" + std::string(101, ')'),
                          ErrIncomplete, Incomplete),
                    With(Value("NinetyNineExpansions", "C0", 1), Chain(99)),
                    With(Error("HundredExpansions", "C0", ErrIncomplete, Incomplete), Chain(100)),
                    // The limit counts per flat expression, so each group has its own.
                    With(Value("ExpansionsPerGroup", "(C0)+(C0)", 2), Chain(99))),
    RowName);

TEST(CalcExpressionTest, ErrorValueHasItsExactBits) {
    unsigned char bytes[sizeof(Extended)] = {};
    std::memcpy(bytes, &ErrorValue, 10);
    std::uint64_t significand;
    std::uint16_t exponent;
    std::memcpy(&significand, bytes, 8);
    std::memcpy(&exponent, bytes + 8, 2);
    EXPECT_EQ(significand, 0xEEEA5D5004981800u);
    EXPECT_EQ(exponent, 0x43E6u);
    EXPECT_NE(ErrorValue, 1e301L);
}

TEST(CalcExpressionTest, DegreeFactorIsBasedOnTheDoubleOfPi) {
    unsigned char bytes[sizeof(Extended)] = {};
    std::memcpy(bytes, &DegreeFactor, 10);
    std::uint64_t significand;
    std::uint16_t exponent;
    std::memcpy(&significand, bytes, 8);
    std::memcpy(&exponent, bytes + 8, 2);
    EXPECT_EQ(significand, 0xE52EE0D31E0FC047u);
    EXPECT_EQ(exponent, 0x4004u);

    // The factor is what degree mode uses: ASIN(1) is slightly above 90.
    CalcExpression calc;
    calc.Degree = 1;
    calc.Calculate("ASIN(1)");
    EXPECT_EQ(calc.ResultValue, asinl(1) * DegreeFactor);
    EXPECT_GT(calc.ResultValue, 90);
}

TEST(CalcExpressionTest, SquareRootKeepsNegativeZero) {
    CalcExpression calc;
    calc.Calculate("SQRT(0*-1)");
    EXPECT_EQ(calc.ErrorCode, 0);
    EXPECT_EQ(calc.ResultValue, 0);
    EXPECT_TRUE(std::signbit(calc.ResultValue));
}

TEST(CalcExpressionTest, OutcomeDoesNotLeakIntoNextCalculation) {
    CalcExpression calc;
    calc.Calculate("FOO(1)");
    ASSERT_EQ(calc.ErrorCode, ErrUndefinedFunction);
    calc.Calculate("(5)");
    EXPECT_EQ(calc.ErrorCode, 0);
    EXPECT_EQ(calc.ErrorText, "");
    EXPECT_EQ(calc.ResultValue, 5);
    // Work values are cleared: entry 1 was never stored in this calculation.
    calc.Calculate("(1)+(2)");
    calc.Calculate("(3)+#1");
    EXPECT_EQ(calc.ErrorCode, ErrOverflow);
}

TEST(CalcExpressionTest, DegreeChangeTakesEffectAtNextCalculation) {
    CalcExpression calc;
    calc.Degree = 0;
    calc.Calculate("ACOS(-1)");
    EXPECT_EQ(calc.ResultValue, acosl(-1));
    calc.Degree = 1;
    calc.Calculate("ACOS(-1)");
    EXPECT_EQ(calc.ResultValue, acosl(-1) * DegreeFactor);
}

// Every byte pattern must end in one of the seven outcomes, without touching memory outside
// the tables (run under the sanitizers to see the latter).
TEST(CalcExpressionTest, ArbitraryBytesEndInAKnownOutcome) {
    CalcExpression calc;
    calc.Constants = {"X=Y*2", "Y=A1+(", "Z=#99", "W=-#0"};
    calc.LineValues.values[1] = 3;
    std::string alphabet = "0123456789.#()^*/+-EHAXYZW ,=\t\xff\xe5\x86\x86";
    alphabet.push_back('\0');
    std::uint32_t seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        std::string formula;
        seed = seed * 1664525 + 1013904223;
        const int length = static_cast<int>(seed >> 24) % 40;
        for (int j = 0; j < length; ++j) {
            seed = seed * 1664525 + 1013904223;
            formula += alphabet[(seed >> 16) % alphabet.size()];
        }
        calc.Calculate(formula);
        ASSERT_TRUE(calc.ErrorCode <= 0 && calc.ErrorCode >= -7) << formula;
        ASSERT_EQ(calc.ErrorCode == 0, calc.ErrorText.empty()) << formula;
    }
}

}  // namespace
