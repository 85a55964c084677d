// The grid object's drawing of cells: frames, text lines and alignment, selection marks, the
// owner-draw switch and the row band layout.

#include <gtest/gtest.h>

#include <string>

#include "sheet/extend_string_grid.h"
#include "tests/sheet/attached_grid.h"

namespace {

// Drawing. After attaching, the cells are 80 x 20 pixels; the tests pass their own rectangles.

TEST(ExtendStringGridPaint, PlainCellExactCalls) {
    Attached a;
    a.Cell(2, 3).text = "12";
    a.esg.PaintCell(2, 3, {10, 20, 90, 44}, {});
    const Calls expected = {
        "pen 0x80000005",   "move 90,20",       "line 90,20-10,20", "line 10,20-10,44",
        "brush 0x80000005", "fill 11,21-90,44", "pen 0x000000",     "fontcolor 0x80000008",
        "text 16,25 '12'",  "pen 0x80000005",   "brush 0x80000005", "fontcolor 0x80000008",
    };
    EXPECT_EQ(a.grid.canvas.calls, expected);
}

TEST(ExtendStringGridPaint, TinyColumnsAndRowsDrawNothing) {
    struct Row {
        const char* name;
        int width, height;
        bool draws;
    };
    const Row rows[] = {
        {"zero width", 0, 24, false},       {"two pixels wide", 2, 24, false},
        {"three pixels wide", 3, 24, true}, {"two pixels high", 64, 2, false},
        {"three pixels high", 64, 3, true},
    };
    for (const Row& r : rows) {
        Attached a;
        a.grid.colWidths[2] = r.width;
        a.grid.rowHeights[2] = r.height;
        a.esg.PaintCell(2, 2, {0, 0, r.width, r.height}, {});
        EXPECT_EQ(!a.grid.canvas.calls.empty(), r.draws) << r.name;
    }
    Attached a;
    a.esg.PaintCell(5, 0, {0, 0, 64, 24}, {});
    EXPECT_TRUE(a.grid.canvas.calls.empty()) << "cell outside the grid";
}

TEST(ExtendStringGridPaint, FrameColourIsBackgroundLessSixtyFour) {
    struct Row {
        const char* name;
        PlatformColor background;
        const char* pen;
    };
    const Row rows[] = {
        {"light blue", 0xFFE0E0, "pen 0xBFA0A0"},
        {"dark grey", 0x313131, "pen 0x000000"},
        {"window background", 0x80000005, "pen 0x000000"},
        {"button face", 0x8000000F, "pen 0x000000"},
        {"bytes clamp separately", 0x0040FF41, "pen 0x00BF01"},
    };
    for (const Row& r : rows) {
        Attached a;
        a.Cell(2, 2).style = CellStyle(2, r.background);
        a.esg.PaintCell(2, 2, {0, 0, 64, 24}, {});
        const Calls pens = a.grid.canvas.Calls("pen ");
        ASSERT_EQ(pens.size(), 3u) << r.name;
        EXPECT_EQ(pens[1], r.pen) << r.name;
        EXPECT_EQ(a.grid.canvas.Calls("brush ")[0], "brush " + RecordingCanvas::Hex(r.background))
            << r.name;
    }
}

TEST(ExtendStringGridPaint, FrameKindsInTheOrdinaryLayout) {
    struct Row {
        const char* name;
        int frame, frameWidth;
        Calls lines;
    };
    // Rectangle (10,20)-(90,44); the frame runs inside (11,21)-(90,44).
    const Row rows[] = {
        {"none", 0, 1, {}},
        {"bottom and right", 2, 1, {"line 11,43-89,43", "line 89,43-89,21"}},
        {"top and left", 3, 1, {"line 89,21-11,21", "line 11,21-11,43"}},
        {"all four",
         1,
         1,
         {"line 11,43-89,43", "line 89,43-89,21", "line 89,21-11,21", "line 11,21-11,43"}},
        {"two nested",
         2,
         2,
         {"line 11,43-89,43", "line 89,43-89,21", "line 12,42-88,42", "line 88,42-88,22"}},
    };
    for (const Row& r : rows) {
        Attached a;
        a.esg.frameWidth = r.frameWidth;
        a.Cell(2, 3).style.frame = r.frame;
        a.esg.PaintCell(2, 3, {10, 20, 90, 44}, {});
        Calls lines = a.grid.canvas.Calls("line ");
        ASSERT_GE(lines.size(), 2u) << r.name;
        EXPECT_EQ(Calls(lines.begin() + 2, lines.end()), r.lines) << r.name;
    }
}

TEST(ExtendStringGridPaint, TextLinesAndAlignment) {
    struct Row {
        const char* name;
        std::string text;
        int align, lineCount;
        GridRect rect;
        Calls texts;
    };
    // Text area of (0,0)-(100,50): left 1 + 5, avail 89; one character is 7 x 14 pixels.
    const Row rows[] = {
        {"left", "AB", 0, 1, {0, 0, 100, 50}, {"text 6,18 'AB'"}},
        {"centred, truncated", "AB", 1, 1, {0, 0, 100, 50}, {"text 43,18 'AB'"}},
        {"right", "AB", 2, 1, {0, 0, 100, 50}, {"text 81,18 'AB'"}},
        {"alternating pair centred",
         "L\tRight",
         3,
         2,
         {0, 0, 100, 50},
         {"text 6,11 'L'", "text 60,25 'Right'"}},
        {"too wide to centre",
         "ABCDEFGHIJKLMNOP",
         1,
         1,
         {0, 0, 100, 50},
         {"text 8,18 'ABCDEFGHIJK\xE2\x80\xA6'"}},
        {"taller than the cell",
         "A\tB\tC",
         0,
         3,
         {0, 0, 64, 24},
         {"text 6,-8 'A'", "text 6,6 'B'", "text 6,20 'C'"}},
        {"empty middle line", "A\t\tC", 0, 3, {0, 0, 100, 50}, {"text 6,4 'A'", "text 6,32 'C'"}},
        // Only what can show is drawn: 89 pixels hold 11 characters and the cut mark.
        {"long line cut",
         std::string(1000, 'A'),
         2,
         1,
         {0, 0, 100, 50},
         {"text 11,18 '" + std::string(11, 'A') + "\xE2\x80\xA6'"}},
        {"lines below the cell",
         "A\tB\tC",
         0,
         1,
         {0, 0, 64, 24},
         {"text 6,5 'A'", "text 6,19 'B'"}},
        {"characters, not bytes",
         "\xC3\x97"
         "1",
         2,
         1,
         {0, 0, 100, 50},
         {"text 81,18 '\xC3\x97"
          "1'"}},
    };
    for (const Row& r : rows) {
        Attached a;
        CellProperty& p = a.Cell(2, 2);
        p.text = r.text;
        p.align = r.align;
        p.lineCount = r.lineCount;
        a.esg.PaintCell(2, 2, r.rect, {});
        EXPECT_EQ(a.grid.canvas.Calls("text "), r.texts) << r.name;
    }
}

TEST(ExtendStringGridPaint, EmptyRecordShowsTheGridsOwnString) {
    Attached a;
    a.grid.SetCells(2, 2, "own");
    a.esg.PaintCell(2, 2, {0, 0, 64, 24}, {});
    EXPECT_EQ(a.grid.canvas.Calls("text "), Calls{"text 6,5 'own'"});
    a.grid.canvas.calls.clear();
    a.Cell(2, 2).text = "mine";
    a.esg.PaintCell(2, 2, {0, 0, 64, 24}, {});
    EXPECT_EQ(a.grid.canvas.Calls("text "), Calls{"text 6,5 'mine'"});
}

TEST(ExtendStringGridPaint, SelectionMarksAndCurrentCell) {
    struct Row {
        const char* name;
        int col, row;
        bool selected;
        PlatformColor markColor;
        const char* brush;
        const char* framePen;  // nullptr: no frame line drawn
        int marked;
        const char* fontColor;
    };
    // Current cell (2,2); selection (2,2)-(3,3); range selection on. The desktop's text colour
    // could be white, so on the fixed light colours text and frame are black.
    const Row rows[] = {
        {"current, in the selection", 2, 2, true, 0xFFE0E0, "brush 0xFFE0E0", "pen 0x000000", 1,
         "fontcolor 0x000000"},
        {"selected, marked colour", 3, 3, true, 0xFFE0E0, "brush 0xFFE0E0", nullptr, 1,
         "fontcolor 0x000000"},
        {"selected without mark colour", 3, 3, true, 0x7FFFFFFF, "brush 0xFFFFC0", nullptr, 1,
         "fontcolor 0x000000"},
        {"outside the selection", 4, 4, false, 0xFFE0E0, "brush 0x80000005", nullptr, 0,
         "fontcolor 0x80000008"},
    };
    for (const Row& r : rows) {
        Attached a;
        a.grid.rangeSelect = true;
        a.grid.col = 2;
        a.grid.row = 2;
        a.grid.selection = {2, 2, 3, 3};
        a.esg.markStyle.color = r.markColor;
        a.Cell(4, 4).marked = 1;  // range selection recomputes it
        a.esg.PaintCell(r.col, r.row, {0, 0, 64, 24}, {r.selected, false, false});
        EXPECT_EQ(a.grid.canvas.Calls("brush ")[0], r.brush) << r.name;
        EXPECT_EQ(a.Cell(r.col, r.row).marked, r.marked) << r.name;
        EXPECT_EQ(a.grid.canvas.Calls("fontcolor ")[0], r.fontColor) << r.name;
        const Calls lines = a.grid.canvas.Calls("line ");
        if (r.framePen) {
            EXPECT_EQ(a.grid.canvas.Calls("pen ")[1], r.framePen) << r.name;
            EXPECT_EQ(lines.size(), 6u) << r.name;
        } else {
            EXPECT_EQ(lines.size(), 2u) << r.name;
        }
    }
}

TEST(ExtendStringGridPaint, OwnerDrawOffPaintsBlank) {
    Attached a;
    a.esg.ownerDraw = 0;
    a.Cell(2, 2).text = "hidden";
    a.grid.font.color = 0x123456;
    a.esg.PaintCell(2, 2, {0, 0, 64, 24}, {});
    const Calls expected = {"brush 0x80000005", "fill 0,0-64,24", "pen 0x80000005",
                            "brush 0x80000005", "fontcolor 0x123456"};
    EXPECT_EQ(a.grid.canvas.calls, expected);
}

TEST(ExtendStringGridPaint, RowBandLayout) {
    struct Row {
        const char* name;
        int col;
        Calls lines;
    };
    // Five columns, one fixed; frame kind 1 on the band's first cell; rectangle (100,0)-(164,24).
    const Row rows[] = {
        {"first",
         1,
         {"line 164,0-100,0", "line 100,0-100,24", "line 101,23-164,23", "line 163,1-101,1",
          "line 101,1-101,24"}},
        {"middle", 3, {"line 164,0-100,0", "line 100,23-164,23", "line 163,1-99,1"}},
        {"last",
         4,
         {"line 164,0-100,0", "line 100,23-164,23", "line 163,23-163,0", "line 163,1-99,1"}},
    };
    for (const Row& r : rows) {
        Attached a;
        a.grid.rowSelect = true;
        a.grid.row = 3;
        a.grid.col = 1;
        a.Cell(3, 2).style = CellStyle(0, 0x0000FF);  // never used: the band's colour wins
        a.Cell(4, 2).style = CellStyle(0, 0x0000FF);
        a.Cell(1, 2).style = CellStyle(1, 0x00FF00);
        a.esg.PaintCell(r.col, 2, {100, 0, 164, 24}, {});
        EXPECT_EQ(a.grid.canvas.Calls("line "), r.lines) << r.name;
        EXPECT_EQ(a.grid.canvas.Calls("brush ")[0], "brush 0x00FF00") << r.name;
        EXPECT_EQ(a.grid.canvas.Calls("pen ")[1], "pen 0x00BF00") << r.name;
    }
    // A fixed cell keeps the ordinary layout even with row selection.
    Attached a;
    a.grid.rowSelect = true;
    a.esg.PaintCell(0, 2, {0, 0, 64, 24}, {false, false, true});
    EXPECT_EQ(a.grid.canvas.Calls("line "),
              (Calls{"line 64,0-0,0", "line 0,0-0,24", "line 1,23-63,23", "line 63,23-63,1"}));
}

}  // namespace
