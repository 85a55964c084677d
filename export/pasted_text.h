#pragma once
// How a spreadsheet takes pasted text: lines become rows, TAB-separated fields neighbouring
// columns, and a field that reads as a number becomes a number.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// One pasted cell: a number, or a text kept as it is (an empty text leaves the cell empty).
using PastedCell = std::variant<double, std::string>;
using PastedRow = std::vector<PastedCell>;

// Rows of fields; a line end after the last line adds no row, an empty text has no rows.
std::vector<std::vector<std::string>> SplitPastedText(std::string_view text);

// The value of a field that reads as a number: blanks around it, an optional sign, digits
// with optional "," separators between groups of three (or of four, as the sheet groups them),
// an optional decimal point with digits and an optional exponent. Digits with leading zeros
// ("0010", a hexadecimal result) stay text, as do values too large for a double.
std::optional<double> ReadPastedNumber(std::string_view field);

// The typed rows a spreadsheet makes of text: a field that reads as a number becomes one,
// except field textField of every row (-1: none), which stays text.
std::vector<PastedRow> ReadPastedRows(std::string_view text, int textField = -1);
