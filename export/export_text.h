#pragma once
// The export text of the sheet: one line per line with a formula, CR LF after each, its fields
// (number, result, formula as EOUT selects them) separated by TAB.

#include <span>
#include <string>

class SheetDocument;

// The three shown texts of one sheet line.
struct ExportLine {
    std::string number;
    std::string result;
    std::string formula;
};

// EOUT bits: 1 number, 2 result, 4 formula. Lines with an empty formula are left out, and so
// is a line none of whose fields is selected.
std::string BuildExportText(std::span<const ExportLine> lines, int eout);

// The export text of the sheet's 100 lines under eout.
std::string BuildExportText(const SheetDocument& sheet, int eout);

// The field of every exported line that a workbook must keep as text, or -1: the result in
// hexadecimal display, where 2345 or 1E10 would read as a decimal number.
int TextFieldOfExport(int eout, int cmode, int vmode);
