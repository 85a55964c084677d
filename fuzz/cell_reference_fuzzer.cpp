// Any text as the export's first cell: the parser accepts exactly the references of a
// worksheet (A1 .. XFD1048576, letters in either case, optional "$" before either part),
// reports everything else as an error, and an accepted reference written out again in its
// plain form reads back as the same cell.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "export/cell_reference.h"
#include "fuzz/fuzz_support.h"

namespace {

// The plain form of text when it is a reference of a worksheet, else empty; written apart from
// the parser, comparing digit strings so that no length overflows.
std::string ExpectedPlainForm(const std::string& text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '$') ++i;
    std::string letters;
    for (; i < text.size() &&
           ((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= 'a' && text[i] <= 'z'));
         ++i)
        letters += static_cast<char>(text[i] & ~0x20);
    if (i < text.size() && text[i] == '$') ++i;
    std::string digits;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        digits += text[i];
    if (letters.empty() || digits.empty() || i != text.size()) return {};
    if (letters.size() > 3 || (letters.size() == 3 && letters > "XFD")) return {};
    const std::size_t nonZero = digits.find_first_not_of('0');
    if (nonZero == std::string::npos) return {};
    digits.erase(0, nonZero);
    if (digits.size() > 7 || (digits.size() == 7 && digits > "1048576")) return {};
    return letters + digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string expected = ExpectedPlainForm(text);
    CellReference cell;
    try {
        cell = ParseCellReference(text);
    } catch (const std::runtime_error& error) {
        FUZZ_CHECK(expected.empty(), Escaped(text) + " refused: " + error.what());
        return 0;
    }
    FUZZ_CHECK(!expected.empty(), Escaped(text) + " accepted");
    FUZZ_CHECK(cell.row >= 0 && cell.row < kWorksheetRows, Escaped(text));
    FUZZ_CHECK(cell.column >= 0 && cell.column < kWorksheetColumns, Escaped(text));
    FUZZ_CHECK(CellReferenceText(cell) == expected,
               Escaped(text) + " read as " + CellReferenceText(cell));
    FUZZ_CHECK(ParseCellReference(CellReferenceText(cell)) == cell, Escaped(text));
    return 0;
}
