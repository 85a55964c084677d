#include "sheet/pasted_lines.h"

#include <algorithm>

std::vector<std::string> SplitPastedLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size() || lines.empty()) lines.emplace_back(text.substr(start));
    return lines;
}

PasteFill PlanPasteFill(int currentLine, int lineCount, int sheetLines) {
    PasteFill fill;
    fill.firstBelow = currentLine + 1;
    const int wanted = currentLine + std::max(lineCount, 1) - 1;
    fill.lastBelow = std::min(wanted, sheetLines - 1);
    fill.dropped = wanted - fill.lastBelow;
    return fill;
}
