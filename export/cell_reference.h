#pragma once
// A1-style cell references as the export's ECELL setting names them.

#include <string>

// Zero-based position of a worksheet cell.
struct CellReference {
    int row = 0;
    int column = 0;

    bool operator==(const CellReference&) const = default;
};

constexpr int kWorksheetRows = 1048576;
constexpr int kWorksheetColumns = 16384;  // A .. XFD

// Column letters then row digits, letters in either case, an optional "$" before either part,
// within A1 .. XFD1048576. Anything else throws std::runtime_error with a readable text.
CellReference ParseCellReference(const std::string& text);

// The plain form of a cell: upper-case column letters, then the row without leading zeros.
std::string CellReferenceText(const CellReference& cell);
