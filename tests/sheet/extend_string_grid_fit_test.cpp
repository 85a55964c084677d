// Texts in cells of any font: the character unit of the columns, and the mark on a text cut
// short by its cell.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "sheet/extend_string_grid.h"
#include "tests/sheet/attached_grid.h"

namespace {

// A canvas whose characters differ in width, as in a proportional font; 7 pixels unless told.
class ProportionalCanvas : public RecordingCanvas {
public:
    std::map<char, int> widths;

    int TextWidth(const std::string& text) override {
        int width = 0;
        for (char c : text)
            width += widths.count(c) ? widths[c] : 7;
        return width;
    }
};

TEST(ExtendStringGridFit, ColumnUnitHoldsTheWidestDigitOrSign) {
    struct Row {
        const char* name;
        std::map<char, int> widths;
        int unit;
    };
    const Row rows[] = {
        {"blank narrower than the digits", {{' ', 4}, {'0', 8}, {'9', 8}}, 8},
        {"wide minus sign", {{'-', 9}}, 9},
        {"letters no number uses do not count", {{'W', 12}, {'m', 11}}, 7},
    };
    for (const Row& r : rows) {
        ProportionalCanvas canvas;
        canvas.widths = r.widths;
        FakeGrid grid(3, 100);
        grid.UseCanvas(canvas);
        ExtendStringGrid esg;
        esg.AttachGrid(grid);
        esg.FitCells(KeepValue, KeepValue, {5, 28, -1});
        EXPECT_EQ(esg.charWidth, r.unit) << r.name;
        EXPECT_EQ(grid.colWidths[0], 5 * r.unit + 10) << r.name;
        EXPECT_EQ(grid.colWidths[1], 28 * r.unit + 10) << r.name;
    }
}

// A text too wide for its cell ends in the cut mark (a number keeps its exponent), and the cell
// tells that it is cut.
TEST(ExtendStringGridPaint, TextTooWideEndsInACutMark) {
    struct Row {
        const char* name;
        std::string text;
        int align, right;
        Calls texts;
    };
    // A cell from 0 to right: text from x 6 in right - 11 pixels; every character 7 pixels.
    const Row rows[] = {
        {"fits exactly", "123456789012", 2, 95, {"text 6,10 '123456789012'"}},
        {"one character too many", "SQRT(1234567)", 2, 95, {"text 6,10 'SQRT(123456\xE2\x80\xA6'"}},
        {"a number keeps its exponent",
         "1.2193263111E+17",
         2,
         100,
         {"text 11,10 '1.21932\xE2\x80\xA6"
          "E+17'"}},
        {"characters, not bytes",
         "\xC3\x97\xC3\x97\xC3\x97",
         0,
         25,
         {"text 6,10 '\xC3\x97\xE2\x80\xA6'"}},
        {"the mark even without room", "xy", 2, 15, {"text 6,10 '\xE2\x80\xA6'"}},
        {"each line on its own",
         "12\t1.23456",
         3,
         46,
         {"text 6,10 '12'", "text 6,24 '1.23\xE2\x80\xA6'"}},
    };
    for (const Row& r : rows) {
        Attached a;
        CellProperty& p = a.Cell(2, 2);
        p.text = r.text;
        p.align = r.align;
        a.esg.PaintCell(2, 2, {0, 0, r.right, 34}, {});
        EXPECT_EQ(a.grid.canvas.Calls("text "), r.texts) << r.name;
        a.grid.colWidths[2] = r.right;
        const bool whole = r.texts.back().find("\xE2\x80\xA6") == std::string::npos;
        EXPECT_EQ(a.esg.TextFits(2, 2), whole) << r.name;
    }
}

}  // namespace
