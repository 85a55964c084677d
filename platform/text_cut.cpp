#include "platform/text_cut.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kCutMark = "\xE2\x80\xA6";  // "…"
constexpr std::string_view kNoRoomMarks[] = {"###", "##", "#"};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// A number as the program writes one, in its parts: "-" "1,234" "." "5678" "E+17"; hexadecimal
// digits are an integer part alone.
struct NumberText {
    std::string_view sign, integer, fraction, exponent;
};

std::optional<NumberText> ReadDecimal(std::string_view word) {
    NumberText number;
    std::size_t i = 0;
    if (i < word.size() && word[i] == '-') number.sign = word.substr(i++, 1);
    const std::size_t integerStart = i;
    while (i < word.size() && (IsDigit(word[i]) || (i > integerStart && word[i] == ',')))
        ++i;
    number.integer = word.substr(integerStart, i - integerStart);
    if (number.integer.empty()) return std::nullopt;
    if (i < word.size() && word[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < word.size() && IsDigit(word[i]))
            ++i;
        number.fraction = word.substr(fractionStart, i - fractionStart);
        if (number.fraction.empty()) return std::nullopt;
    }
    if (i < word.size() && word[i] == 'E') {
        // An exponent always has its sign; without one the E is a hexadecimal digit.
        const std::size_t exponentStart = i++;
        if (i == word.size() || (word[i] != '+' && word[i] != '-')) return std::nullopt;
        const std::size_t digitsStart = ++i;
        while (i < word.size() && IsDigit(word[i]))
            ++i;
        if (i == digitsStart) return std::nullopt;
        number.exponent = word.substr(exponentStart, i - exponentStart);
    }
    if (i != word.size()) return std::nullopt;
    return number;
}

std::optional<NumberText> ReadNumber(std::string_view word) {
    if (auto decimal = ReadDecimal(word)) return decimal;
    // Hexadecimal display: up to 16 digits and letters A to F, no sign.
    if (!word.empty() && word.size() <= 16 &&
        word.find_first_not_of("0123456789ABCDEF") == std::string_view::npos) {
        return NumberText{{}, word, {}, {}};
    }
    return std::nullopt;
}

// The most characters of text that fit avail together with the mark; at least the mark.
std::string CutAtEnd(std::string_view text, int avail, const TextWidth& width) {
    std::vector<std::size_t> ends;  // byte length of the first 1, 2, ... characters
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || !IsContinuationByte(text[i])) ends.push_back(i);
    }
    std::size_t low = 0;
    std::size_t high = ends.size();
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        std::string candidate(text.substr(0, ends[mid - 1]));
        candidate += kCutMark;
        if (width(candidate) <= avail) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    std::string shown(text.substr(0, low == 0 ? 0 : ends[low - 1]));
    shown += kCutMark;
    return shown;
}

std::string CutNumber(std::string_view head, const NumberText& number, int avail,
                      const TextWidth& width) {
    // Fewer and fewer fraction digits; the point goes with the last of them.
    for (std::size_t kept = number.fraction.size(); kept-- > 0;) {
        std::string shown(head);
        shown += number.sign;
        shown += number.integer;
        if (kept > 0) {
            shown += '.';
            shown += number.fraction.substr(0, kept);
        }
        shown += kCutMark;
        shown += number.exponent;
        if (width(shown) <= avail) return shown;
    }
    for (std::string_view mark : kNoRoomMarks) {
        std::string shown(head);
        shown += mark;
        if (width(shown) <= avail) return shown;
    }
    return head.empty() ? std::string(kNoRoomMarks[2]) : CutAtEnd(head, avail, width);
}

}  // namespace

std::string FitText(const std::string& text, int avail, const TextWidth& width) {
    if (width(text) <= avail) return text;
    const std::size_t blank = text.find_last_of(' ');
    const std::size_t wordStart = blank == std::string::npos ? 0 : blank + 1;
    const std::string_view view(text);
    if (const auto number = ReadNumber(view.substr(wordStart))) {
        return CutNumber(view.substr(0, wordStart), *number, avail, width);
    }
    return CutAtEnd(view, avail, width);
}
