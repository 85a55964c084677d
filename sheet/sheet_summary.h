#pragma once
// The status bar's three panels: the sum, the average and the count of the line values, over
// all lines or over the selected ones. Lines without a value are skipped, never counted as 0;
// the figures show from two values on.

#include <array>
#include <string>

#include "settings/display_modes.h"

class SheetDocument;

// " Sum ..." , " Avg. ..." and " n ...", the values formatted as the results are.
std::array<std::string, 3> SummaryTexts(const SheetDocument& sheet, bool allLines,
                                        const DisplayModes& modes);
