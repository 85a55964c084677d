#include "expr/format_value.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// A short text on the stack: every intermediate text here is far below the capacity, and the
// formatting runs for every line after each keystroke.
class ShortText {
public:
    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    char operator[](std::size_t i) const { return data_[i]; }
    std::string_view view() const { return {data_, size_}; }
    const char* begin() const { return data_; }
    const char* end() const { return data_ + size_; }

    void clear() { size_ = 0; }
    void push_back(char c) {
        if (size_ < kCapacity) data_[size_++] = c;
    }
    void append(std::string_view s) {
        for (char c : s)
            push_back(c);
    }
    void assign(std::string_view s) {
        clear();
        append(s);
    }
    // Keeps the first n characters (all when there are fewer).
    void truncate(std::size_t n) {
        if (n < size_) size_ = n;
    }
    void insert(std::size_t at, char c) {
        if (size_ == kCapacity || at > size_) return;
        for (std::size_t i = size_; i > at; --i)
            data_[i] = data_[i - 1];
        data_[at] = c;
        ++size_;
    }
    std::size_t find(char c) const {
        for (std::size_t i = 0; i < size_; ++i) {
            if (data_[i] == c) return i;
        }
        return kNotFound;
    }
    bool contains(char c) const { return find(c) != kNotFound; }

private:
    static constexpr std::size_t kCapacity = 64;
    char data_[kCapacity];
    std::size_t size_ = 0;
};

void AppendDecimal(ShortText& out, int n) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, n);
    out.append(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

// Powers of ten up to 10^27 are exact in the 64-bit significand.
constexpr std::array<Extended, 28> kPowersOfTen = [] {
    std::array<Extended, 28> powers{};
    Extended power = 1;
    for (Extended& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// The 18 significant digits of magnitude > 0 by one multiplication or division with an exact
// power of ten; the single rounding can only move the last digit by one. False when the power
// needed is not exact, or when that last digit could change the rounding to 15 digits.
bool ScaledDigits(Extended magnitude, char (&digits)[18], int& exponent) {
    constexpr std::uint64_t kLow = 100000000000000000;  // 10^17
    int e10 = static_cast<int>(std::floor(std::ilogb(magnitude) * 0.30102999566398120));
    // The estimate can be one off; each retry moves it towards the right decade.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 17 - e10;
        if (k < -27 || k > 27) return false;
        const Extended scaled = k >= 0 ? magnitude * kPowersOfTen[static_cast<std::size_t>(k)]
                                       : magnitude / kPowersOfTen[static_cast<std::size_t>(-k)];
        const auto n = static_cast<std::uint64_t>(std::llrint(scaled));
        if (n >= 10 * kLow) {
            ++e10;
        } else if (n < kLow) {
            --e10;
        } else {
            // Near a tie of the 15-digit rounding that last digit decides: convert exactly.
            const std::uint64_t tail = n % 1000;
            if (tail == 499 || tail == 500) return false;
            std::to_chars(digits, digits + 18, n);
            exponent = e10;
            return true;
        }
    }
    return false;
}

// The 18 significant digits of magnitude > 0, exactly rounded.
void ExactDigits(Extended magnitude, char (&digits)[18], int& exponent) {
    // to_chars, unlike printf, ignores the locale's decimal point.
    char sci[48];  // d.ddddddddddddddddde-dddd
    const auto converted =
        std::to_chars(sci, sci + sizeof sci, magnitude, std::chars_format::scientific, 17);
    digits[0] = sci[0];
    for (int i = 1; i < 18; ++i)
        digits[i] = sci[i + 1];
    const char* exponentText = sci + 20;  // after "e"
    if (*exponentText == '+') ++exponentText;
    std::from_chars(exponentText, converted.ptr, exponent);
}

// The general decimal form: 18 significant digits, rounded half away from zero to 15, trailing
// zeros dropped; fixed-point for 0.0001 <= |value| < 1e15, otherwise d.dddE[-]n.
void GeneralForm(Extended value, ShortText& out) {
    out.clear();
    if (std::isnan(value)) return out.assign("NAN");
    if (std::isinf(value)) return out.assign(value < 0 ? "-INF" : "INF");
    if (value == 0) return out.assign("0");

    char digits[18];
    int exponent = 0;  // value = d.ddd x 10^exponent
    if (!ScaledDigits(std::fabs(value), digits, exponent))
        ExactDigits(std::fabs(value), digits, exponent);

    if (digits[15] >= '5') {
        int i = 14;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits[0] = '1';
            ++exponent;
        }
    }
    int count = 15;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    if (value < 0) out.push_back('-');
    const int e = exponent + 1;  // value = 0.ddd x 10^e
    if (e >= -3 && e <= 15) {
        if (e <= 0) {
            out.append("0.");
            for (int i = 0; i < -e; ++i)
                out.push_back('0');
            out.append(std::string_view(digits, static_cast<std::size_t>(count)));
        } else {
            for (int i = 0; i < e; ++i)
                out.push_back(i < count ? digits[i] : '0');
            if (count > e) {
                out.push_back('.');
                out.append(std::string_view(digits + e, static_cast<std::size_t>(count - e)));
            }
        }
    } else {
        out.push_back(digits[0]);
        if (count > 1) {
            out.push_back('.');
            out.append(std::string_view(digits + 1, static_cast<std::size_t>(count - 1)));
        }
        out.push_back('E');
        AppendDecimal(out, e - 1);
    }
}

// Reads a text this file produced (digits, "-", ".", "E", "+") back as a number.
bool ReadNumber(const ShortText& t, Extended& value) {
    const char* first = t.begin();
    const auto result = std::from_chars(first, t.end(), value);
    return result.ec == std::errc() && result.ptr == t.end();
}

// The low hexdigits hexadecimal digits of n (a negative n as its 64-bit two's complement),
// zero-padded on the left, cut to the first 16 characters.
std::string HexText(std::int64_t n, std::int32_t hexDigits) {
    char digits[16];
    std::size_t count = 0;
    auto bits = static_cast<std::uint64_t>(n);
    // A negative n has its top bit set, so it always takes all 16 digits.
    do {
        digits[15 - count++] = "0123456789ABCDEF"[bits & 0xF];
        bits >>= 4;
    } while (bits != 0);
    std::string h;
    if (hexDigits <= 0) return h;
    const auto wanted = static_cast<std::size_t>(hexDigits);
    if (wanted > count) h.assign(std::min<std::size_t>(wanted - count, 16), '0');
    const std::size_t keep = std::min(wanted, count);
    h.append(digits + 16 - keep, keep);
    h.resize(std::min<std::size_t>(h.size(), 16));
    return h;
}

}  // namespace

std::string FormatValue(Extended value, const DisplayModes& modes) {
    ShortText t;
    GeneralForm(value, t);

    ShortText x;  // the exponent part, "E+15" or "E-7"
    const std::size_t ePos = t.find('E');
    if (ePos != ShortText::kNotFound) {
        x.assign(t.view().substr(ePos));
        if (!x.contains('+') && !x.contains('-')) x.insert(1, '+');
        int exponent = 0;
        const char* digits = x.begin() + 1;
        if (*digits == '+') ++digits;
        std::from_chars(digits, x.end(), exponent);
        if (exponent < -11) {
            t.assign("0");
            x.clear();
        } else {
            t.truncate(ePos);
        }
    }

    t.truncate(16 - x.size());

    const std::size_t dot = t.find('.');
    if (x.empty() && dot != ShortText::kNotFound && t.size() - dot - 1 >= 11) {
        t.truncate(dot + 1 + 11);
        while (t[t.size() - 1] == '0')
            t.truncate(t.size() - 1);
        if (t[t.size() - 1] == '.') t.truncate(t.size() - 1);
    }
    // A mantissa cut by the length limit keeps its trailing zeros.
    t.append(x.view());

    if (modes.cmode == 1 && t.contains('.') && !t.contains('E')) {
        Extended w = 0;
        ReadNumber(t, w);
        w += w >= 0 ? 0.5L : -0.5L;
        GeneralForm(w, t);
        const std::size_t point = t.find('.');
        if (point != ShortText::kNotFound) t.truncate(point);
    }

    // Only a value that is not finite leaves a text that is not a number ("INF", "NAN").
    Extended w = 0;
    if (!std::isfinite(value) || (modes.vmode == 1 && modes.cmode == 1 && !ReadNumber(t, w))) {
        t.truncate(16);
        return std::string(t.view());
    }

    if (modes.vmode == 1 && modes.cmode == 1) {
        // Beyond the signed 64-bit range the hexadecimal text is that of -2^63.
        const bool inRange = w >= -0x1p63L && w < 0x1p63L;
        const std::int64_t n = inRange ? static_cast<std::int64_t>(w) : INT64_MIN;
        return HexText(n, modes.hsize);
    }

    std::size_t separators = 0;
    if ((modes.vmode == 0 || modes.vmode == 1) && modes.comma > 0) {
        // 1-based position of the first character after the integer part.
        std::size_t pos = t.size() + 1;
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (t[i] == '.' || t[i] == 'E') {
                pos = i + 1;
                break;
            }
        }
        const auto group = static_cast<std::size_t>(modes.comma);
        while (group < pos) {
            pos -= group;
            if (pos > 1 && t[pos - 2] != '-') {
                t.insert(pos - 1, ',');
                ++separators;
            }
        }
    }
    t.truncate(16 + separators);
    return std::string(t.view());
}
