#include "export/export_text.h"

#include <vector>

#include "sheet/extend_string_grid.h"
#include "sheet/line_count.h"

std::string BuildExportText(std::span<const ExportLine> lines, int eout) {
    std::string result;
    for (const ExportLine& line : lines) {
        if (line.formula.empty()) continue;
        std::string text;
        const auto append = [&text](const std::string& field) {
            if (!text.empty()) text += '\t';
            text += field;
        };
        if (eout & 1) text = line.number;
        if (eout & 2) append(line.result);
        if (eout & 4) append(line.formula);
        if (text.empty()) continue;
        result += text;
        result += "\r\n";
    }
    return result;
}

std::string BuildExportText(const ExtendStringGrid& sheetGrid, int eout) {
    std::vector<ExportLine> lines;
    lines.reserve(kLineCount);
    const auto textOf = [&sheetGrid](int col, int row) {
        const CellProperty* cell = sheetGrid.CellAt(col, row);
        return cell != nullptr ? cell->text : std::string();
    };
    for (int row = 0; row < kLineCount; ++row) {
        lines.push_back({textOf(0, row), textOf(1, row), textOf(2, row)});
    }
    return BuildExportText(lines, eout);
}

int TextFieldOfExport(int eout, int cmode, int vmode) {
    const bool hexadecimal = cmode == 1 && vmode == 1;
    if (!hexadecimal || (eout & 2) == 0) return -1;
    return (eout & 1) != 0 ? 1 : 0;
}
