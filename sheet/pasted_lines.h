#pragma once
// A text pasted into the input line, as the formulas it brings: a column copied from a
// spreadsheet or a text file fills the current line and the lines below it, one line each.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The lines of a pasted text, cut at CR LF, LF or CR; a final line end adds no empty line.
// Never empty: an empty text is one empty line.
std::vector<std::string> SplitPastedLines(std::string_view text);

// The formula a pasted line gives, without control characters, which no formula holds: of a
// row the program's own export wrote (label A0..A99, result, formula, separated by TABs) its
// formula; any other line whole, with each TAB as a blank.
std::string PastedFormula(std::string_view line);

// The most characters a pasted line may bring; a longer line is refused, not cut.
constexpr std::size_t kLongestPastedLine = 1'000'000;
// The characters (code points) of UTF-8 text.
std::size_t CharacterCount(std::string_view text);

// Where the lines of a paste at a current line go.
struct PasteFill {
    int firstBelow = 0;  // the first line below the current one that takes a pasted line
    int lastBelow = -1;  // the last one; below the first when only the current line is filled
    int dropped = 0;     // pasted lines beyond the last line of the sheet

    bool FillsBelow() const { return lastBelow >= firstBelow; }
};

// The lines a paste of lineCount lines (the first one into currentLine) fills in a sheet of
// sheetLines lines.
PasteFill PlanPasteFill(int currentLine, int lineCount, int sheetLines);
