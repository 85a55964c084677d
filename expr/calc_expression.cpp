#include "expr/calc_expression.h"

#include <locale.h>

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>

#include "expr/constant_file.h"
#include "expr/functions.h"

namespace {

constexpr const char* TextIncomplete = "式が不完全";
constexpr const char* TextZeroDivide = "ゼロで除算";
constexpr const char* TextOverflow = "オーバーフロー";
constexpr const char* TextUnderflow = "アンダーフロー";
constexpr const char* TextBadArgument = "の引数が不正";

bool IsOperator(char c) {
    switch (c) {
        case '(':
        case ')':
        case '^':
        case '*':
        case '/':
        case '+':
        case '-':
            return true;
        default:
            return false;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsNumberChar(char c) {
    return IsDigit(c) || c == '.' || c == '#';
}
bool IsTokenChar(char c) {
    return IsNumberChar(c) || IsOperator(c);
}

// Rounds to a double; a value beyond the double range becomes infinite instead of undefined.
double ToDouble(Extended v) {
    if (std::fabs(v) > static_cast<Extended>(DBL_MAX)) {
        return v > 0 ? std::numeric_limits<double>::infinity()
                     : -std::numeric_limits<double>::infinity();
    }
    return static_cast<double>(v);
}

// "#" followed by k in decimal, written into buffer.
std::string_view WorkReference(int k, char (&buffer)[8]) {
    buffer[0] = '#';
    const auto end = std::to_chars(buffer + 1, buffer + sizeof buffer, k).ptr;
    return {buffer, static_cast<std::size_t>(end - buffer)};
}

// How a decimal text reads: a number, no number, or a non-zero number below even the smallest
// subnormal extended value, which would otherwise silently become zero.
enum class DecimalRead { Number, Invalid, Underflow };

// The general conversion of a validated decimal text, in the "C" locale whatever the program's
// locale is. A value too small for a normal extended value becomes the nearest one the type
// holds (a subnormal, or zero), as every other literal's conversion rounds; false only beyond
// the largest value.
bool ConvertDecimal(const char* begin, const char* end, Extended& v) {
    const auto [ptr, error] = std::from_chars(begin, end, v);
    if (error == std::errc::result_out_of_range) {
        // from_chars reports an underflow without a value; strtold rounds it correctly.
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
        const std::string text(begin, end);
        char* stop = nullptr;
        v = strtold_l(text.c_str(), &stop, c);
        return stop == text.c_str() + text.size() && std::isfinite(v);
    }
    return error == std::errc() && ptr == end && std::isfinite(v);
}

// Reads a decimal number: optional sign, digits with an optional "." and fraction, optional
// exponent with "E" or "e", optional sign and digits; blanks before and after. False for any
// other text and for a number above the extended range.
DecimalRead ReadDecimal(std::string_view t, Extended& value) {
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    std::size_t p = 0;
    bool negative = false;
    if (p < t.size() && (t[p] == '+' || t[p] == '-')) negative = t[p++] == '-';
    const std::size_t first = p;

    // Up to 19 significant digits fit a 64-bit integer exactly.
    std::uint64_t mantissa = 0;
    int significant = 0, scale = 0, digits = 0;
    bool seenPoint = false;
    for (; p < t.size(); ++p) {
        const char c = t[p];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (!IsDigit(c)) break;
        ++digits;
        if (significant == 0 && c == '0') {
            if (seenPoint) --scale;
            continue;
        }
        // Longer mantissas take the general conversion below.
        if (significant < 19) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (seenPoint) --scale;
        }
        ++significant;
    }
    if (digits == 0) return DecimalRead::Invalid;

    long exponent = 0;
    if (p < t.size() && (t[p] == 'E' || t[p] == 'e')) {
        ++p;
        bool negativeExponent = false;
        if (p < t.size() && (t[p] == '+' || t[p] == '-')) negativeExponent = t[p++] == '-';
        const std::size_t exponentStart = p;
        for (; p < t.size() && IsDigit(t[p]); ++p) {
            if (exponent < 1000000) exponent = exponent * 10 + (t[p] - '0');
        }
        if (p == exponentStart) return DecimalRead::Invalid;
        if (negativeExponent) exponent = -exponent;
    }
    if (p != t.size()) return DecimalRead::Invalid;

    Extended v;
    const long power = exponent + scale;
    if (mantissa == 0) {
        v = 0;
    } else if (significant <= 19 && power >= -27 && power <= 27) {
        // Mantissa and 10^|power| are both exact in extended, so one operation rounds correctly.
        Extended tens = 1;
        for (long i = 0; i < (power < 0 ? -power : power); ++i)
            tens *= 10;
        v = power < 0 ? static_cast<Extended>(mantissa) / tens
                      : static_cast<Extended>(mantissa) * tens;
    } else {
        if (!ConvertDecimal(t.data() + first, t.data() + t.size(), v)) return DecimalRead::Invalid;
        if (v == 0) return DecimalRead::Underflow;
    }
    value = negative ? -v : v;
    return DecimalRead::Number;
}

// The power operator with the domain rules of the extended mathematics library; false where
// the library fails (0 to a power not above 0, a negative base with a fractional exponent, a
// result beyond the extended range).
bool Power(Extended a, Extended b, Extended& r) {
    if (a == 0) {
        r = 0;
        return b > 0;
    }
    r = 1;
    if (b == 0) return true;
    if (a < 0 && std::trunc(b) != b) return false;
    r = std::pow(a, b);
    return std::isfinite(r) && std::fabs(r) >= LDBL_MIN;
}

// A sine, cosine or tangent; arguments of 2^63 or more lose all precision and fail.
Extended Circular(Extended (*function)(Extended), Extended x) {
    if (!(std::fabs(x) < 0x1p63L)) return ErrorValue;
    return function(x);
}

// Whether the tangent of x is taken at a pole. In degrees x is exact, so every odd multiple of
// 90 is one, however far the conversion to radians moves it from the pole. In radians a pole is
// only ever approached: x counts as on one within the 1e-16 that makes the tangent at 90 degrees
// fail, or within two units in its last place where those are larger.
bool AtTangentPole(Extended x, bool degrees) {
    if (degrees) return std::fabs(std::fmod(x, 180.0L)) == 90;
    constexpr Extended kHalfPi = 1.570796326794896619231321691639751442L;
    const Extended multiple = std::nearbyint(x / kHalfPi);
    if (std::fmod(multiple, 2.0L) == 0) return false;
    const Extended unit = std::nextafter(std::fabs(x), HUGE_VALL) - std::fabs(x);
    return std::fabs(x - multiple * kHalfPi) <= std::max(1e-16L, 2 * unit);
}

}  // namespace

CalcExpression::CalcExpression() = default;

CalcExpression::CalcExpression(std::string constantFile) : constantFile_(std::move(constantFile)) {
    constantsRead_ = LoadConstants(constantFile_, Constants);
    if (Constants.empty()) AddDefaultConstants(Constants);
    constantsAtStart_ = Constants;
}

FileStatus CalcExpression::SaveConstantChanges() {
    if (constantFile_.empty() || Constants == constantsAtStart_) return FileStatus::Ok;
    // A file that exists but could not be read (or is not text) is left alone, so the user's
    // constants are not replaced by the defaults; the changes are not saved then.
    if (constantsRead_ != FileStatus::Ok && constantsRead_ != FileStatus::Missing)
        return constantsRead_;
    return ::SaveConstantChanges(constantFile_, constantsAtStart_, Constants);
}

Extended CalcExpression::Calculate(std::string_view formula) {
    // Work values are stored only by StoreValue, and every calculation starts from a clear
    // table, so the entries past the count are clear already.
    WorkValues.ClearStoredValues();
    ErrorCode = ErrNone;
    ResultValue = 0;
    ErrorText.clear();

    // Trim characters of code 32 or below (never part of a UTF-8 sequence), drop blanks and
    // upper-case ASCII letters.
    std::size_t begin = 0, end = formula.size();
    while (begin < end && static_cast<unsigned char>(formula[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(formula[end - 1]) <= 32)
        --end;
    text_.resize(end - begin);
    std::size_t length = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const char c = formula[i];
        if (c == ' ') continue;
        text_[length++] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    text_.resize(length);

    Evaluate();

    switch (ErrorCode) {
        case ErrNone:
            break;
        case ErrZeroDivide:
            ErrorText = TextZeroDivide;
            break;
        case ErrUndefinedName:
            ErrorText.insert(0, "? ");
            break;
        case ErrUndefinedFunction:
            ErrorText.insert(0, "? ");
            ErrorText += "()";
            break;
        case ErrOverflow:
            ErrorText = TextOverflow;
            break;
        case ErrUnderflow:
            ErrorText = TextUnderflow;
            break;
        case ErrBadArgument:
            ErrorText += TextBadArgument;
            break;
        default:
            ErrorCode = ErrIncomplete;
            ErrorText = TextIncomplete;
            break;
    }
    return ResultValue;
}

void CalcExpression::Evaluate() {
    // Innermost parentheses first: each group or call becomes a work reference "#k". The text
    // before a replaced group holds no ")", so the search for the next one starts there.
    std::size_t searchFrom = 0;
    for (;;) {
        const std::size_t close = text_.find(')', searchFrom);
        if (close == std::string::npos) break;
        const std::size_t open = text_.rfind('(', close);
        if (open == std::string::npos) {
            ErrorCode = ErrIncomplete;
            return;
        }
        std::size_t start = open;
        Extended v;
        if (open == 0 || IsOperator(text_[open - 1])) {
            v = CalcSimple(std::string_view(text_).substr(open + 1, close - open - 1));
        } else {
            while (start > 0 && !IsOperator(text_[start - 1]))
                --start;
            call_.assign(text_, start, close - start + 1);
            v = CalcFunction(call_);
        }
        if (ErrorCode != ErrNone) return;
        const int k = WorkValues.StoreValue(v);
        if (k < 0) {
            ErrorCode = ErrIncomplete;
            return;
        }
        char buffer[8];
        const std::string_view reference = WorkReference(k, buffer);
        text_.replace(start, close - start + 1, reference.data(), reference.size());
        searchFrom = start;
    }

    ResultValue = CalcSimple(text_);
    if (ErrorCode != ErrNone) return;
    const double d = ToDouble(ResultValue);
    if (std::fabs(d) > 1e300) {
        ErrorCode = ErrOverflow;
    } else if (std::fabs(d) < 1e-300 && ResultValue != 0) {
        ErrorCode = ErrUnderflow;
    }
}

Extended CalcExpression::Fail() {
    ErrorCode = ErrIncomplete;
    return 0;
}

Extended CalcExpression::OperandFailure() {
    return ErrorCode == ErrUnderflow || ErrorCode == ErrOverflow ? 0 : Fail();
}

Extended CalcExpression::CalcSimple(std::string_view text) {
    ErrorCode = ErrIncomplete;
    if (text.empty()) return 0;
    simple_.clear();
    // A leading minus is read as 0 minus the rest.
    if (text.front() == '-') simple_.push_back('0');
    simple_.append(text);

    // Name expansion: every name is replaced by a work reference to its value or by the text
    // it stands for, which is scanned again. The text before the name is operands and
    // operators only and stays as it is, so the scan goes on from where the name was.
    int expansions = 0;
    std::size_t pos = 0;
    while (expansions < MaxExpansions) {
        const std::size_t size = simple_.size();
        while (pos < size) {
            const char c = simple_[pos];
            if (c == 'E' && pos + 1 < size &&
                (simple_[pos + 1] == '+' || simple_[pos + 1] == '-' ||
                 IsNumberChar(simple_[pos + 1]))) {
                pos += 2;
            } else if (IsTokenChar(c)) {
                ++pos;
            } else {
                break;
            }
        }
        if (pos >= size) break;
        std::size_t end = pos;
        while (end < size && !IsOperator(simple_[end]))
            ++end;
        name_.assign(simple_, pos, end - pos);

        const Extended v = NameValue(name_);
        char buffer[8];
        std::string_view replacement;
        if (ErrorCode == ErrNone) {
            const int k = WorkValues.StoreValue(v);
            if (k < 0) return Fail();
            replacement = WorkReference(k, buffer);
        } else if (ErrorCode == ErrIncomplete || ErrorCode == ErrUnderflow) {
            return 0;
        } else {
            const auto resolved = ResolveName(name_);
            if (!resolved) return Fail();
            replacement = *resolved;
        }
        if (replacement == name_) {
            ErrorText = name_;
            ErrorCode = ErrUndefinedName;
            return 0;
        }
        simple_.replace(pos, end - pos, replacement.data(), replacement.size());
        if (++expansions >= MaxExpansions) return Fail();
    }

    // Splitting into operands and operators; a "-" after an operator and a sign after "E"
    // belong to the operand.
    // Entries past the count are never read, so resetting the count clears the list; filling
    // all 100 extended entries would cost more than the rest of a typical evaluation.
    operands_.count = 0;
    int operatorCount = 0;
    const std::size_t size = simple_.size();
    std::size_t start = 0, k = 0;
    const auto appendOperand = [&](std::size_t from, std::size_t to) {
        Extended value;
        return OperandValue(std::string_view(simple_).substr(from, to - from), value) &&
               operands_.StoreValue(value) >= 0;
    };
    while (k < size) {
        const char c = simple_[k];
        const char prev = k == 0 ? simple_[0] : simple_[k - 1];
        if ((c == '+' || c == '-') && prev == 'E') {
            k += 2;
        } else if (c == '-' && IsOperator(prev)) {
            ++k;
        } else if (IsOperator(c)) {
            operators_[operatorCount++] = c;
            if (!appendOperand(start, k)) return OperandFailure();
            start = k + 1;
            ++k;
        } else {
            ++k;
        }
    }
    if (!appendOperand(start, size)) return OperandFailure();
    for (int j = 0; j < operatorCount; ++j) {
        if (operators_[j] == '(' || operators_[j] == ')') return Fail();
    }

    // Reduction in three passes: "^", then "*" and "/", then "+" and "-", each left to right.
    const auto level = [](char op) { return op == '^' ? 0 : (op == '*' || op == '/') ? 1 : 2; };
    for (int pass = 0; pass < 3; ++pass) {
        int j = 0;
        while (j < operatorCount) {
            const char op = operators_[j];
            if (level(op) != pass) {
                ++j;
                continue;
            }
            const Extended a = operands_.values[j];
            const Extended b = operands_.values[j + 1];
            Extended r;
            switch (op) {
                // A failed power has no value: no later step may make one of it.
                case '^':
                    if (!Power(a, b, r)) {
                        ErrorCode = ErrOverflow;
                        return 0;
                    }
                    break;
                case '*':
                    r = a * b;
                    break;
                case '/':
                    if (b == 0) {
                        ErrorCode = ErrZeroDivide;
                        return 0;
                    }
                    r = a / b;
                    break;
                case '+':
                    r = a + b;
                    break;
                default:
                    r = a - b;
                    break;
            }
            if (!std::isfinite(r)) return Fail();
            // The operands past the count are never read, so only the live ones move down.
            std::copy(operators_.begin() + j + 1, operators_.begin() + operatorCount,
                      operators_.begin() + j);
            std::copy(operands_.values.begin() + j + 2,
                      operands_.values.begin() + operatorCount + 1,
                      operands_.values.begin() + j + 1);
            --operatorCount;
            --operands_.count;
            operands_.values[j] = r;
        }
    }
    ErrorCode = ErrNone;
    return operands_.values[0];
}

Extended CalcExpression::NameValue(const std::string& name) {
    ErrorCode = ErrUndefinedName;
    const auto resolved = ResolveName(name);
    if (!resolved) return Fail();
    number_.clear();
    for (const char c : *resolved) {
        if (c != ',') number_.push_back(c);
    }

    if (!number_.empty() && number_.front() == 'H') {
        static constexpr std::string_view HexDigits = "0123456789ABCDEF";
        Extended v = 0;
        ErrorCode = ErrNone;
        for (std::size_t i = 1; i < number_.size(); ++i) {
            const std::size_t d = HexDigits.find(number_[i]);
            if (d == std::string_view::npos) {
                v = 0;
                ErrorCode = ErrUndefinedName;
            } else {
                v = v * 16 + static_cast<Extended>(d);
            }
        }
        return v;
    }
    Extended v;
    const DecimalRead read = ReadDecimal(number_, v);
    if (read == DecimalRead::Underflow) ErrorCode = ErrUnderflow;
    if (read != DecimalRead::Number) return 0;
    ErrorCode = ErrNone;
    return v;
}

std::optional<std::string_view> CalcExpression::ResolveName(std::string_view name) {
    if (const auto value = LookupConstant(Constants, name)) return value;

    std::string_view t = name;
    if (name.size() >= 2 && name.front() == 'A') {
        // A line reference A0..A99 (leading zeros allowed) to a line that has a value.
        int n = 0;
        bool integer = true;
        for (const char c : name.substr(1)) {
            if (!IsDigit(c)) {
                integer = false;
                break;
            }
            if (n < ValueTable::Capacity) n = n * 10 + (c - '0');
        }
        if (integer && n < ValueTable::Capacity && LineValues.values[n] != ErrorValue) {
            const int k = WorkValues.StoreValue(LineValues.values[n]);
            if (k < 0) return std::nullopt;
            char buffer[8];
            resolved_ = WorkReference(k, buffer);
            t = resolved_;
        }
    }
    const std::size_t equal = t.find('=');
    if (equal != std::string_view::npos) t.remove_prefix(equal + 1);
    return t;
}

bool CalcExpression::OperandValue(std::string_view text, Extended& value) {
    if (!text.empty() && text.front() == '#') {
        const std::string_view digits = text.substr(1);
        if (digits.empty()) return false;
        int n = 0;
        for (const char c : digits) {
            if (!IsDigit(c)) return false;
            n = n * 10 + (c - '0');
            if (n >= ValueTable::Capacity) return false;
        }
        // A typed reference to an entry not stored yet reads no value, as a failed power has
        // none.
        if (n >= WorkValues.count) {
            ErrorCode = ErrOverflow;
            return false;
        }
        value = WorkValues.values[n];
        return true;
    }
    const DecimalRead read = ReadDecimal(text, value);
    if (read == DecimalRead::Underflow) ErrorCode = ErrUnderflow;
    return read == DecimalRead::Number;
}

Extended CalcExpression::CalcFunction(const std::string& call) {
    ErrorCode = ErrUndefinedFunction;
    Extended r = 0;
    const std::string_view whole(call);
    const std::size_t open = whole.find('(');
    // The argument runs from after the first "(" up to the closing parenthesis at the end.
    const std::string_view argument = open == std::string_view::npos
                                          ? std::string_view{}
                                          : whole.substr(open + 1, whole.size() - open - 2);
    const Extended x = CalcSimple(argument);
    if (ErrorCode != ErrNone) return 0;

    const std::string_view name = whole.substr(0, open);
    ErrorCode = ErrNone;
    const Extended f = Degree != 0 ? DegreeFactor : 1;
    const std::optional<Function> function = FindFunction(name);
    if (name.empty()) {
        r = x;
    } else if (!function) {
        ErrorText = name;
        ErrorCode = ErrUndefinedFunction;
    } else {
        switch (*function) {
            case Function::Sin:
                r = Circular(sinl, x / f);
                break;
            case Function::Cos:
                r = Circular(cosl, x / f);
                break;
            // The tangent at an odd multiple of 90 degrees.
            case Function::Tan:
                r = Circular(tanl, x / f);
                if (std::fabs(ToDouble(r)) >= 1e16 || AtTangentPole(x, Degree != 0)) {
                    r = ErrorValue;
                }
                break;
            case Function::Asin:
                r = std::fabs(x) > 1 ? ErrorValue : std::asin(x) * f;
                break;
            case Function::Acos:
                r = std::fabs(x) > 1 ? ErrorValue : std::acos(x) * f;
                break;
            // Arguments whose arc tangent is 90 degrees to the precision shown.
            case Function::Atan:
                r = std::fabs(ToDouble(x)) >= 1e12 ? ErrorValue : std::atan(x) * f;
                break;
            case Function::Log:
                r = x <= 0 ? ErrorValue : std::log(x);
                break;
            case Function::Log10:
                r = x <= 0 ? ErrorValue : std::log10(x);
                break;
            case Function::Sqrt:
                r = x < 0 ? ErrorValue : std::sqrt(x);
                break;
        }
    }

    if (r >= ErrorValue || std::isnan(r)) {
        ErrorText = name;
        ErrorCode = ErrBadArgument;
    }
    return r;
}
