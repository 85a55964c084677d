#include "sheet/pasted_lines.h"

#include <algorithm>

#include "platform/file_codec.h"

std::vector<std::string> SplitPastedLines(std::string_view text) {
    std::vector<std::string> lines = SplitLines(text);
    if (lines.empty()) lines.emplace_back();
    return lines;
}

std::string PastedFormula(std::string_view line) {
    const std::size_t tab = line.rfind('\t');
    if (tab != std::string_view::npos) line.remove_prefix(tab + 1);
    std::string formula;
    formula.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
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
