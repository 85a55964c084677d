// Any formula, constant list, line values, angle unit and display modes: the evaluator ends in
// one of its seven outcomes with the matching text, repeats itself exactly, and the formatted
// result stays within the display's 16 digit places and 5 separator dots, drawn only from the
// display's characters.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "expr/calc_expression.h"
#include "expr/format_value.h"
#include "fuzz/fuzz_support.h"

namespace {

const std::string kIncomplete = "式が不完全";
const std::string kZeroDivide = "ゼロで除算";
const std::string kOverflow = "オーバーフロー";
const std::string kUnderflow = "アンダーフロー";
const std::string kBadArgument = "の引数が不正";

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}
bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Mostly the values the settings take, sometimes any value a hand-edited file may carry.
std::int32_t PickMode(FuzzedDataProvider& in, std::initializer_list<std::int32_t> usual) {
    if (in.ConsumeBool()) return in.ConsumeIntegral<std::int32_t>();
    const std::size_t index = in.ConsumeIntegralInRange<std::size_t>(0, usual.size() - 1);
    return *(usual.begin() + index);
}

// A value the program can hold: special values, or a normal or subnormal extended number.
Extended PickValue(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0:
            return in.ConsumeBool() ? 0.0L : -0.0L;
        case 1:
            return in.ConsumeBool() ? INFINITY : -INFINITY;
        case 2:
            return NAN;
        case 3:
            return ErrorValue;
        case 4:
            return static_cast<Extended>(in.ConsumeIntegral<std::int64_t>()) +
                   static_cast<Extended>(in.ConsumeIntegralInRange(0, 9)) / 10;
        default: {
            const auto mantissa = static_cast<Extended>(in.ConsumeIntegral<std::uint64_t>());
            const Extended value = std::ldexp(mantissa, in.ConsumeIntegralInRange(-16500, 16400));
            return in.ConsumeBool() ? -value : value;
        }
    }
}

// What the sheet stores for a line: a result that passed the range check, or ErrorValue.
Extended PickLineValue(FuzzedDataProvider& in) {
    const Extended value = PickValue(in);
    const Extended magnitude = std::fabs(value);
    if (value == 0 || (magnitude >= 1e-299L && magnitude <= 1e299L)) return value;
    return ErrorValue;
}

void CheckOutcome(const CalcExpression& calc, const std::string& formula) {
    const std::string context = "formula \"" + Escaped(formula) + "\" text \"" +
                                Escaped(calc.ErrorText) + "\" code " +
                                std::to_string(calc.ErrorCode);
    FUZZ_CHECK(calc.ErrorCode >= -7 && calc.ErrorCode <= 0, context);
    FUZZ_CHECK((calc.ErrorCode == 0) == calc.ErrorText.empty(), context);
    switch (calc.ErrorCode) {
        case ErrNone: {
            // The result passed the range check: a finite double magnitude in 1e-300 .. 1e300,
            // or zero.
            const Extended magnitude = std::fabs(calc.ResultValue);
            FUZZ_CHECK(std::isfinite(calc.ResultValue) && magnitude <= DBL_MAX, context);
            FUZZ_CHECK(magnitude == 0 || static_cast<double>(magnitude) >= 1e-300, context);
            FUZZ_CHECK(static_cast<double>(magnitude) <= 1e300, context);
            break;
        }
        case ErrIncomplete:
            FUZZ_CHECK(calc.ErrorText == kIncomplete, context);
            break;
        case ErrZeroDivide:
            FUZZ_CHECK(calc.ErrorText == kZeroDivide, context);
            break;
        case ErrUndefinedName:
            FUZZ_CHECK(StartsWith(calc.ErrorText, "? ") && calc.ErrorText.size() > 2, context);
            break;
        case ErrUndefinedFunction:
            FUZZ_CHECK(StartsWith(calc.ErrorText, "? ") && EndsWith(calc.ErrorText, "()"), context);
            break;
        case ErrOverflow:
            FUZZ_CHECK(calc.ErrorText == kOverflow, context);
            break;
        case ErrUnderflow:
            FUZZ_CHECK(calc.ErrorText == kUnderflow, context);
            break;
        case ErrBadArgument:
            FUZZ_CHECK(EndsWith(calc.ErrorText, kBadArgument) &&
                           calc.ErrorText.size() > kBadArgument.size(),
                       context);
            break;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void CheckFormatted(Extended value, const DisplayModes& modes) {
    const std::string text = FormatValue(value, modes);
    char valueText[64];
    std::snprintf(valueText, sizeof valueText, "%.21Lg", value);
    const std::string context = std::string("value ") + valueText + " modes " +
                                std::to_string(modes.cmode) + "/" + std::to_string(modes.vmode) +
                                "/" + std::to_string(modes.comma) + "/" +
                                std::to_string(modes.hsize) + " text \"" + Escaped(text) + "\"";

    if (!std::isfinite(value)) {
        FUZZ_CHECK(text == "NAN" || text == "INF" || text == "-INF", context);
        return;
    }
    if (modes.cmode == 1 && modes.vmode == 1) {
        // The low HSIZE hexadecimal digits, at most 16, no grouping.
        const auto digits = static_cast<std::size_t>(std::clamp(modes.hsize, 0, 16));
        FUZZ_CHECK(text.size() == digits, context);
        for (char c : text)
            FUZZ_CHECK(IsDigit(c) || (c >= 'A' && c <= 'F'), context);
        return;
    }

    std::size_t separators = 0;
    std::string number;
    for (char c : text) {
        FUZZ_CHECK(IsDigit(c) || c == '-' || c == '.' || c == ',' || c == 'E' || c == '+', context);
        if (c == ',') {
            ++separators;
        } else {
            number += c;
        }
    }
    FUZZ_CHECK(!number.empty() && number.size() <= 16, context);
    if (modes.comma <= 0 || (modes.vmode != 0 && modes.vmode != 1)) {
        FUZZ_CHECK(separators == 0, context);
    } else {
        // One separator per full group left of the first group; 16 places hold at most 15
        // digits to group.
        FUZZ_CHECK(separators <= 15 / static_cast<std::size_t>(modes.comma), context);
    }
    if (modes.comma >= 3) FUZZ_CHECK(separators <= 5, context);

    // Read back, the text is the value: cut to eleven decimals or fewer significant digits,
    // magnitudes below 1e-11 shown as 0, and in integer mode rounded.
    char* end = nullptr;
    const Extended shown = std::strtold(number.c_str(), &end);
    FUZZ_CHECK(end == number.c_str() + number.size(), context);
    Extended tolerance = 1e-6L * std::fabs(value) + 2e-11L;
    if (modes.cmode == 1) tolerance += 1;
    FUZZ_CHECK(std::fabs(shown - value) <= tolerance, context);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 8192) return 0;
    FuzzedDataProvider in(data, size);
    const std::string formula = in.ConsumeRandomLengthString(4096);

    CalcExpression calc;
    const int constantCount = in.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < constantCount; ++i) {
        static const char* const kNames[] = {"X", "Y", "PI", "A5", "HA", "E", "S"};
        std::string line = in.ConsumeRandomLengthString(64);
        // Most definitions get a name a formula can use; the rest stay as they came.
        if (in.ConsumeBool()) {
            line = std::string(kNames[in.ConsumeIntegralInRange<std::size_t>(0, 6)]) + "=" + line;
        }
        calc.Constants.push_back(line);
    }
    const int lineCount = in.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < lineCount; ++i) {
        const auto line = in.ConsumeIntegralInRange<std::size_t>(0, 99);
        calc.LineValues.values[line] = PickLineValue(in);
    }
    calc.Degree = in.ConsumeBool() ? 1 : 0;

    DisplayModes modes;
    modes.cmode = PickMode(in, {0, 1});
    modes.vmode = PickMode(in, {0, 1});
    modes.comma = PickMode(in, {3, 0, 4});
    modes.hsize = PickMode(in, {8, 1, 4, 16});

    calc.Calculate(formula);
    CheckOutcome(calc, formula);

    // Nothing of one evaluation leaks into the next.
    const std::int32_t code = calc.ErrorCode;
    const std::string text = calc.ErrorText;
    const Extended result = calc.ResultValue;
    calc.Calculate(formula);
    FUZZ_CHECK(calc.ErrorCode == code && calc.ErrorText == text, Escaped(formula));
    FUZZ_CHECK(code != 0 || std::memcmp(&result, &calc.ResultValue, 10) == 0, Escaped(formula));

    if (code == 0) CheckFormatted(calc.ResultValue, modes);
    CheckFormatted(PickValue(in), modes);
    return 0;
}
