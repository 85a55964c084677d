#include "export/export_text.h"

#include <vector>

#include "sheet/sheet_document.h"

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

std::string BuildExportText(const SheetDocument& sheet, int eout) {
    std::vector<ExportLine> lines;
    lines.reserve(kLineCount);
    for (int line = 0; line < kLineCount; ++line)
        lines.push_back({SheetDocument::Label(line), sheet.Result(line), sheet.Formula(line)});
    return BuildExportText(lines, eout);
}

int TextFieldOfExport(int eout, int cmode, int vmode) {
    const bool hexadecimal = cmode == 1 && vmode == 1;
    if (!hexadecimal || (eout & 2) == 0) return -1;
    return (eout & 1) != 0 ? 1 : 0;
}
