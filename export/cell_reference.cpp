#include "export/cell_reference.h"

#include <cstddef>
#include <stdexcept>

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

CellReference ParseCellReference(const std::string& text) {
    const auto invalid = [&text]() { return std::runtime_error("セル参照が不正です: " + text); };
    std::size_t i = 0;
    if (i < text.size() && text[i] == '$') ++i;
    long column = 0;
    const std::size_t lettersStart = i;
    for (; i < text.size() && IsLetter(text[i]); ++i) {
        const char upper = static_cast<char>(text[i] & ~0x20);
        column = column * 26 + (upper - 'A' + 1);
        if (column > kWorksheetColumns) throw invalid();
    }
    if (i == lettersStart) throw invalid();
    if (i < text.size() && text[i] == '$') ++i;
    long row = 0;
    const std::size_t digitsStart = i;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        row = row * 10 + (text[i] - '0');
        if (row > kWorksheetRows) throw invalid();
    }
    if (i == digitsStart || i != text.size() || row < 1) throw invalid();
    return {static_cast<int>(row - 1), static_cast<int>(column - 1)};
}

std::string CellReferenceText(const CellReference& cell) {
    std::string letters;
    for (int n = cell.column + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters + std::to_string(cell.row + 1);
}
