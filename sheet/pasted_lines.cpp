#include "sheet/pasted_lines.h"

#include <algorithm>

#include "platform/file_codec.h"

std::vector<std::string> SplitPastedLines(std::string_view text) {
    std::vector<std::string> lines = SplitLines(text);
    if (lines.empty()) lines.emplace_back();
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
