#include "sheet/pasted_lines.h"

#include <algorithm>
#include <optional>

#include "platform/file_codec.h"

std::vector<std::string> SplitPastedLines(std::string_view text) {
    std::vector<std::string> lines = SplitLines(text);
    if (lines.empty()) lines.emplace_back();
    return lines;
}

namespace {

// A line's label as the export writes it: "A" and a line number without leading zeros.
bool IsLineLabel(std::string_view field) {
    if (field.size() < 2 || field.size() > 3 || field[0] != 'A') return false;
    if (field.size() == 3 && field[1] == '0') return false;
    return std::all_of(field.begin() + 1, field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The formula of a row the export wrote (label, result, formula), or nothing for any other line.
std::optional<std::string_view> ExportedFormula(std::string_view line) {
    const std::size_t first = line.find('\t');
    if (first == std::string_view::npos || !IsLineLabel(line.substr(0, first))) return std::nullopt;
    const std::size_t second = line.find('\t', first + 1);
    if (second == std::string_view::npos || line.find('\t', second + 1) != std::string_view::npos)
        return std::nullopt;
    return line.substr(second + 1);
}

}  // namespace

std::string PastedFormula(std::string_view line) {
    if (const std::optional<std::string_view> exported = ExportedFormula(line)) line = *exported;
    std::string formula;
    formula.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte == '\t') {
            formula += ' ';
            continue;
        }
        if (byte < 0x20 || byte == 0x7F) continue;
        // U+0080..U+009F, the second set of control characters, are C2 80..C2 9F in UTF-8.
        if (byte == 0xC2 && i + 1 < line.size()) {
            const auto next = static_cast<unsigned char>(line[i + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                ++i;
                continue;
            }
        }
        formula += line[i];
    }
    return formula;
}

std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

PasteFill PlanPasteFill(int currentLine, int lineCount, int sheetLines) {
    PasteFill fill;
    fill.firstBelow = currentLine + 1;
    const int wanted = currentLine + std::max(lineCount, 1) - 1;
    fill.lastBelow = std::min(wanted, sheetLines - 1);
    fill.dropped = wanted - fill.lastBelow;
    return fill;
}
