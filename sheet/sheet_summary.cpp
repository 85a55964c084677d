#include "sheet/sheet_summary.h"

#include "expr/format_value.h"
#include "sheet/sheet_document.h"

std::array<std::string, 3> SummaryTexts(const SheetDocument& sheet, bool allLines,
                                        const DisplayModes& modes) {
    const int top = allLines ? 0 : sheet.Selection().Top();
    const int bottom = allLines ? kLastLine : sheet.Selection().Bottom();
    Extended sum = 0;
    int n = 0;
    for (int line = top; line <= bottom; ++line) {
        const Extended value = sheet.Value(line);
        // A NaN never compares equal to itself: it is no value either.
        if (value != ErrorValue && value == value) {
            sum += value;
            ++n;
        }
    }
    if (n < 2) return {" Sum ", " Avg. ", " n "};
    return {" Sum " + FormatValue(sum, modes), " Avg. " + FormatValue(sum / n, modes),
            " n " + std::to_string(n)};
}
