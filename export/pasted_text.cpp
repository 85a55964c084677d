#include "export/pasted_text.h"

#include <charconv>
#include <cmath>

#include "platform/file_codec.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t CountDigits(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    return end - from;
}

// The integer part's digits without separators, or nullopt when its grouping is wrong. The
// first group has 1 to size digits, every later one exactly size, size being 3 or 4.
std::optional<std::string> GroupedDigits(std::string_view part) {
    std::string digits;
    std::size_t groupSize = 0;
    std::size_t pos = 0;
    for (bool first = true;; first = false) {
        const std::size_t count = CountDigits(part, pos);
        if (first) {
            if (count == 0) return std::nullopt;
        } else {
            if (groupSize == 0) groupSize = count;
            if (count != groupSize || (count != 3 && count != 4)) return std::nullopt;
        }
        digits.append(part.substr(pos, count));
        pos += count;
        if (pos == part.size()) break;
        if (part[pos] != ',') return std::nullopt;
        ++pos;
    }
    if (groupSize != 0 && CountDigits(part, 0) > groupSize) return std::nullopt;
    return digits;
}

}  // namespace

std::vector<std::vector<std::string>> SplitPastedText(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : SplitLines(text)) {
        std::vector<std::string>& fields = rows.emplace_back();
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
    }
    return rows;
}

std::optional<double> ReadPastedNumber(std::string_view field) {
    while (!field.empty() && field.front() == ' ')
        field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ')
        field.remove_suffix(1);

    std::string number;
    if (!field.empty() && (field.front() == '+' || field.front() == '-')) {
        if (field.front() == '-') number += '-';
        field.remove_prefix(1);
    }
    const std::size_t integerEnd = field.find_first_not_of("0123456789,");
    const std::string_view integerPart = field.substr(0, integerEnd);
    field.remove_prefix(integerPart.size());

    std::size_t fractionDigits = 0;
    std::string_view fraction;
    if (!field.empty() && field.front() == '.') {
        fractionDigits = CountDigits(field, 1);
        fraction = field.substr(0, 1 + fractionDigits);
        field.remove_prefix(fraction.size());
    }
    if (integerPart.empty()) {
        if (fractionDigits == 0) return std::nullopt;
        number += '0';
    } else {
        const std::optional<std::string> digits = GroupedDigits(integerPart);
        if (!digits || (digits->size() > 1 && digits->front() == '0')) return std::nullopt;
        number += *digits;
    }
    number += fraction;

    if (!field.empty() && (field.front() == 'e' || field.front() == 'E')) {
        std::size_t pos = 1;
        if (pos < field.size() && (field[pos] == '+' || field[pos] == '-')) ++pos;
        const std::size_t exponentDigits = CountDigits(field, pos);
        if (exponentDigits == 0) return std::nullopt;
        number += field.substr(0, pos + exponentDigits);
        field.remove_prefix(pos + exponentDigits);
    }
    if (!field.empty()) return std::nullopt;

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::vector<PastedRow> ReadPastedRows(std::string_view text, int textField) {
    std::vector<PastedRow> rows;
    for (std::vector<std::string>& fields : SplitPastedText(text)) {
        PastedRow& row = rows.emplace_back();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::optional<double> number =
                static_cast<int>(i) == textField ? std::nullopt : ReadPastedNumber(fields[i]);
            if (number) {
                row.emplace_back(*number);
            } else {
                row.emplace_back(std::move(fields[i]));
            }
        }
    }
    return rows;
}
