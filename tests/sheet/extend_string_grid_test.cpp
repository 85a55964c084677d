#include "sheet/extend_string_grid.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/sheet/fake_grid.h"

namespace {

using Calls = std::vector<std::string>;

// Counts the two hooks, so tests see when the object reports a change.
class CountingGrid : public ExtendStringGrid {
public:
    int changed = 0;
    int selectionChanged = 0;
    void Changed() override { ++changed; }
    void SelectionChanged() override { ++selectionChanged; }
};

// A 5 x 5 grid with one fixed column and row, attached; drawing starts unrecorded.
struct Attached {
    FakeGrid grid{5, 5};
    CountingGrid esg;
    Attached() {
        esg.AttachGrid(grid);
        grid.canvas.calls.clear();
    }
    CellProperty& Cell(int c, int r) { return *esg.CellAt(c, r); }
};

TEST(ExtendStringGridAttach, SetsEveryFieldAndBuildsTheRecords) {
    Attached a;
    ExtendStringGrid& g = a.esg;
    g.marginX = 9;
    g.markLimit = 4;
    g.hasFocus = 1;
    g.AttachGrid(a.grid);  // attaching again restores every setting
    const std::vector<std::int64_t> fields = {g.normalStyle.frame, g.normalStyle.color,
                                              g.markStyle.frame,   g.markStyle.color,
                                              g.focusStyle.frame,  g.focusStyle.color,
                                              g.marginX,           g.marginY,
                                              g.defaultColChars,   g.defaultRowLines,
                                              g.charWidth,         g.charHeight,
                                              g.frameWidth,        g.layout,
                                              g.markLimit,         g.hoverCol,
                                              g.hoverRow,          g.ownerDraw,
                                              g.hasFocus,          g.cellCount};
    const std::vector<std::int64_t> expected = {
        0, 0x80000005, 0, 0xFFE0E0, 1, 0x80000008, 5,         3, 10, 1,
        7, 14,         1, 0,        0, KeepValue,  KeepValue, 1, 0,  25};
    EXPECT_EQ(fields, expected);
    EXPECT_EQ(g.cells.size(), 25u);
    EXPECT_EQ(g.canvas, &a.grid.canvas);
    EXPECT_EQ(a.grid.userReference, &a.esg);
    EXPECT_FALSE(a.grid.defaultDrawing);

    const CellProperty& fixed = a.Cell(0, 3);
    EXPECT_EQ(fixed.fixed, 1);
    EXPECT_EQ(fixed.style.frame, 2);
    EXPECT_EQ(fixed.style.color, a.grid.fixedColor);
    EXPECT_EQ(a.Cell(3, 0).fixed, 1);
    const CellProperty& normal = a.Cell(2, 3);
    EXPECT_EQ(normal.fixed, 0);
    EXPECT_EQ(normal.style.frame, 0);
    EXPECT_EQ(normal.style.color, 0x80000005u);
}

TEST(ExtendStringGridAttach, HandlersTheWindowGaveStayInPlace) {
    FakeGrid grid;
    int windowDowns = 0;
    int windowClicks = 0;
    grid.OnMouseDown = [&](MouseButton, ShiftState, int, int) { ++windowDowns; };
    grid.OnClick = [&] { ++windowClicks; };
    CountingGrid esg;
    esg.AttachGrid(grid);

    const int selections = esg.selectionChanged;
    const int clicks = windowClicks;
    grid.OnMouseDown(MouseButton::Left, {}, 90, 30);
    grid.OnClick();
    EXPECT_EQ(windowDowns, 1);
    EXPECT_EQ(windowClicks, clicks + 1);
    EXPECT_EQ(esg.selectionChanged, selections);
    EXPECT_EQ(esg.MarkedCount(), 0);

    ASSERT_TRUE(grid.OnEnter && grid.OnExit && grid.OnKeyDown && grid.OnMouseMove &&
                grid.OnSelectCell && grid.OnGetEditText && grid.OnSetEditText &&
                grid.OnTopLeftChanged && grid.OnDrawCell);
    EXPECT_FALSE(grid.OnMouseUp);  // not one of the object's events
    grid.OnEnter();
    EXPECT_EQ(esg.hasFocus, 1);
    grid.OnExit();
    EXPECT_EQ(esg.hasFocus, 0);
}

TEST(ExtendStringGridCells, CellAtAddressesBothLayouts) {
    FakeGrid grid(3, 4);
    ExtendStringGrid esg;
    esg.AttachGrid(grid);
    struct Row {
        const char* name;
        int layout, col, row;
        int index;  // -1: none
    };
    const Row rows[] = {
        {"by column", 0, 2, 1, 2 * 4 + 1}, {"by row", 1, 2, 1, 1 * 3 + 2},
        {"last by column", 0, 2, 3, 11},   {"last by row", 1, 2, 3, 11},
        {"column past end", 0, 3, 0, -1},  {"row past end", 1, 0, 4, -1},
        {"negative column", 0, -1, 0, -1}, {"negative row", 1, 0, -1, -1},
        {"unknown layout", 2, 0, 0, -1},
    };
    for (const Row& r : rows) {
        esg.layout = r.layout;
        const CellProperty* p = esg.CellAt(r.col, r.row);
        if (r.index < 0) {
            EXPECT_EQ(p, nullptr) << r.name;
        } else {
            EXPECT_EQ(p, &esg.cells[r.index]) << r.name;
        }
    }
}

TEST(ExtendStringGridCells, SetGridSizeDiscardsTextsAndRebuilds) {
    Attached a;
    a.Cell(2, 2).text = "old";
    a.Cell(2, 2).marked = 1;
    a.grid.SetCells(2, 2, "own");
    const int changedBefore = a.esg.changed;
    a.esg.SetGridSize(3, 7);
    EXPECT_EQ(a.grid.colCount, 3);
    EXPECT_EQ(a.grid.rowCount, 7);
    EXPECT_EQ(a.esg.cellCount, 21);
    EXPECT_EQ(a.Cell(2, 2).text, "");
    EXPECT_EQ(a.esg.MarkedCount(), 0);
    EXPECT_EQ(a.grid.Cells(2, 2), "");
    EXPECT_EQ(a.Cell(2, 6).fixed, 0);
    EXPECT_EQ(a.Cell(0, 6).fixed, 1);
    EXPECT_TRUE(a.grid.enabled);
    EXPECT_GT(a.esg.changed, changedBefore);
}

TEST(ExtendStringGridFit, ColumnWidthsInCharacters) {
    FakeGrid grid(4, 3);
    ExtendStringGrid esg;
    esg.AttachGrid(grid);
    struct Row {
        const char* name;
        std::vector<std::int32_t> colChars;
        std::vector<int> widths;
    };
    // 7 pixels per character plus 5 pixels of margin on each side.
    const Row rows[] = {
        {"negative entry ends the array", {5, 3, -1, 7}, {45, 31, 80, 80}},
        {"no array", {}, {80, 80, 80, 80}},
        {"zero hides", {0, 2, 0, 1}, {0, 24, 0, 17}},
        {"short array", {1}, {17, 80, 80, 80}},
    };
    for (const Row& r : rows) {
        esg.FitCells(KeepValue, KeepValue, r.colChars);
        EXPECT_EQ(grid.colWidths, r.widths) << r.name;
    }
    EXPECT_EQ(grid.rowHeights, (std::vector<int>{20, 20, 20}));
    esg.FitCells(KeepValue, KeepValue, {}, {2, 0, -1});
    EXPECT_EQ(grid.rowHeights, (std::vector<int>{34, 0, 20}));

    grid.width = 111;
    esg.FitCells(KeepValue, 4);
    EXPECT_EQ(grid.width, 111);
    EXPECT_EQ(grid.height, 4 * (14 + 6));
    grid.canvas.charWidth = 8;  // measured again at every call
    esg.FitCells(20, KeepValue);
    EXPECT_EQ(grid.width, 20 * 8 + 10);
    EXPECT_EQ(grid.colWidths[0], 90);
}

// The sheet grid as the main window sets it up.
TEST(ExtendStringGridFit, MainWindowConfiguration) {
    FakeGrid grid(5, 5);
    grid.fixedCols = 2;
    grid.fixedRows = 0;
    grid.rangeSelect = true;
    grid.font.bold = true;
    int windowClicks = 0;
    grid.OnClick = [&] { ++windowClicks; };
    grid.OnMouseDown = [](MouseButton, ShiftState, int, int) {};
    grid.OnMouseMove = [](ShiftState, int, int) {};
    ExtendStringGrid esg;
    esg.AttachGrid(grid);
    esg.SetGridSize(3, 100);
    const int rwidth = 28;
    esg.FitCells(KeepValue, KeepValue, {5, rwidth, -1});

    EXPECT_EQ(grid.colWidths, (std::vector<int>{45, 206, 80}));
    EXPECT_EQ(grid.rowHeights, std::vector<int>(100, 20));
    EXPECT_EQ(grid.col, 2);
    EXPECT_EQ(grid.row, 0);
    EXPECT_EQ(esg.CellAt(1, 99)->style.color, grid.fixedColor);
    EXPECT_EQ(esg.CellAt(1, 99)->style.frame, 2);
    EXPECT_EQ(esg.CellAt(2, 99)->fixed, 0);
    EXPECT_EQ(esg.CellAt(2, 0)->fixed, 0);
    EXPECT_EQ(esg.CellAt(3, 0), nullptr);
    EXPECT_EQ(esg.CellAt(2, 100), nullptr);

    // A result column of 0 characters is hidden and draws nothing.
    esg.FitCells(KeepValue, KeepValue, {5, 0, -1});
    EXPECT_EQ(grid.colWidths[1], 0);
    grid.canvas.calls.clear();
    esg.PaintCell(1, 5, grid.CellRect(1, 5), {false, false, true});
    EXPECT_TRUE(grid.canvas.calls.empty());
    EXPECT_GT(windowClicks, 0);  // the window's click handler saw the move to (2, 0)
}

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
        {"too wide for the right",
         "ABCDEFGHIJKLMNOP",
         2,
         1,
         {0, 0, 100, 50},
         {"text 6,18 'ABCDEFGHIJKLMNOP'"}},
        {"too wide to centre",
         "ABCDEFGHIJKLMNOP",
         1,
         1,
         {0, 0, 100, 50},
         {"text 6,18 'ABCDEFGHIJKLMNOP'"}},
        {"taller than the cell",
         "A\tB\tC",
         0,
         3,
         {0, 0, 64, 24},
         {"text 6,-8 'A'", "text 6,6 'B'", "text 6,20 'C'"}},
        {"empty middle line", "A\t\tC", 0, 3, {0, 0, 100, 50}, {"text 6,4 'A'", "text 6,32 'C'"}},
        // Only what can show is drawn: 89 pixels hold no more than 90 characters.
        {"long line cut",
         std::string(1000, 'A'),
         2,
         1,
         {0, 0, 100, 50},
         {"text 6,18 '" + std::string(90, 'A') + "'"}},
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
    };
    // Current cell (2,2); selection (2,2)-(3,3); range selection on.
    const Row rows[] = {
        {"current, in the selection", 2, 2, true, 0xFFE0E0, "brush 0xFFE0E0", "pen 0x80000008", 1},
        {"selected, marked colour", 3, 3, true, 0xFFE0E0, "brush 0xFFE0E0", nullptr, 1},
        {"selected without mark colour", 3, 3, true, 0x7FFFFFFF, "brush 0xFFFFC0", nullptr, 1},
        {"outside the selection", 4, 4, false, 0xFFE0E0, "brush 0x80000005", nullptr, 0},
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

// Marking.

TEST(ExtendStringGridMarks, LimitUnmarksEarliestInRowOrder) {
    struct Row {
        const char* name;
        std::vector<std::pair<int, int>> toggles;
        std::vector<std::pair<int, int>> marked;
    };
    const Row rows[] = {
        {"first in row order goes", {{1, 3}, {4, 1}, {2, 2}}, {{2, 2}, {1, 3}}},
        {"toggled cell stays though first", {{1, 3}, {2, 3}, {1, 1}}, {{1, 1}, {2, 3}}},
        {"column order would differ", {{1, 4}, {3, 1}, {2, 3}}, {{2, 3}, {1, 4}}},
        {"toggling twice unmarks", {{1, 3}, {1, 3}}, {}},
    };
    for (const Row& r : rows) {
        Attached a;
        a.esg.markLimit = 2;
        for (auto [c, rw] : r.toggles)
            a.esg.MarkCells(c, rw, KeepValue);
        std::vector<std::pair<int, int>> marked;
        for (int rw = 0; rw < 5; ++rw) {
            for (int c = 0; c < 5; ++c) {
                if (a.Cell(c, rw).marked) marked.emplace_back(c, rw);
            }
        }
        EXPECT_EQ(marked, r.marked) << r.name;  // both in row-by-row order
        EXPECT_EQ(a.esg.MarkedCount(), static_cast<int>(r.marked.size())) << r.name;
    }
}

TEST(ExtendStringGridMarks, RangesModesAndFixedCells) {
    Attached a;
    a.esg.markLimit = 100;
    a.grid.col = 3;
    a.grid.row = 2;
    a.esg.MarkCells(-2, 2, 1);  // the whole row, fixed column 0 excluded
    EXPECT_EQ(a.esg.MarkedCount(), 4);
    EXPECT_EQ(a.Cell(0, 2).marked, 0);
    a.esg.MarkCells(KeepValue, KeepValue, 1);  // the current cell toggles back
    EXPECT_EQ(a.Cell(3, 2).marked, 0);
    a.esg.MarkCells(2, -2, 1);  // column 2; row 2 toggles off, fixed row 0 stays
    EXPECT_EQ(a.Cell(2, 2).marked, 0);
    EXPECT_EQ(a.Cell(2, 0).marked, 0);
    EXPECT_EQ(a.Cell(2, 4).marked, 1);
    const int before = a.esg.selectionChanged;
    a.esg.MarkCells(-2, -2, 0);
    EXPECT_EQ(a.esg.MarkedCount(), 0);
    EXPECT_EQ(a.esg.selectionChanged, before + 1);
}

TEST(ExtendStringGridMarks, MouseTogglesOnlyWithALimit) {
    struct Row {
        const char* name;
        int limit;
        bool enabled;
        int x, y;  // cells are 80 x 20 pixels
        int marked;
    };
    const Row rows[] = {
        {"marks", 3, true, 90, 30, 1},
        {"limit 0 switches marking off", 0, true, 90, 30, 0},
        {"disabled grid", 3, false, 90, 30, 0},
        {"fixed cell", 3, true, 10, 30, 0},
        {"outside the grid", 3, true, 1000, 1000, 0},
    };
    for (const Row& r : rows) {
        Attached a;
        a.esg.markLimit = r.limit;
        a.grid.enabled = r.enabled;
        a.grid.OnMouseDown(MouseButton::Left, {}, r.x, r.y);
        EXPECT_EQ(a.esg.MarkedCount(), r.marked) << r.name;
    }
}

// The current cell and the keys.

TEST(ExtendStringGridCurrent, SetCurrentCell) {
    struct Row {
        const char* name;
        int col, row;
        bool result;
        int endCol, endRow;
    };
    // Start at (3,3); column 0 and row 0 are fixed.
    const Row rows[] = {
        {"both kept: first non-fixed", KeepValue, KeepValue, true, 1, 1},
        {"column kept", KeepValue, 4, true, 3, 4},
        {"row kept", 2, KeepValue, true, 2, 3},
        {"fixed cell", 0, 2, false, 3, 3},
        {"past the last column", 5, 2, false, 3, 3},
        {"negative row", 2, -1, false, 3, 3},
    };
    for (const Row& r : rows) {
        Attached a;
        a.grid.col = 3;
        a.grid.row = 3;
        a.grid.canFocus = false;  // a failing focus does not stop the move
        EXPECT_EQ(a.esg.SetCurrentCell(r.col, r.row), r.result) << r.name;
        EXPECT_EQ(a.grid.col, r.endCol) << r.name;
        EXPECT_EQ(a.grid.row, r.endRow) << r.name;
        EXPECT_TRUE(a.grid.enabled) << r.name;
    }
}

TEST(ExtendStringGridCurrent, MovesWhileDisabledAndKeepsADisabledGrid) {
    Attached a;
    std::vector<bool> enabledAtClick;
    a.grid.OnClick = [&] {
        enabledAtClick.push_back(a.grid.enabled);
        a.esg.GridClick();
    };
    const int before = a.esg.selectionChanged;
    EXPECT_TRUE(a.esg.SetCurrentCell(4, 4));
    EXPECT_EQ(enabledAtClick, (std::vector<bool>{false, false}));
    EXPECT_EQ(a.esg.selectionChanged, before + 1);  // only its own report, not the clicks'
    EXPECT_GT(a.grid.focusRequests, 0);

    a.grid.enabled = false;
    EXPECT_TRUE(a.esg.SetCurrentCell(2, 2));
    EXPECT_FALSE(a.grid.enabled);
}

TEST(ExtendStringGridKeys, KeyTable) {
    struct Row {
        const char* name;
        int fixedRows;
        int col, row;
        bool rowSelect, editing, editorMode, enabled;
        int key;
        int keyAfter;
        int endCol, endRow;
    };
    // 5 x 5, column 0 fixed.
    const Row rows[] = {
        {"down", 1, 2, 2, false, false, false, true, VK_DOWN, 0, 2, 3},
        {"down wraps past the fixed row", 1, 2, 4, false, false, false, true, VK_DOWN, 0, 2, 1},
        {"down wraps to row 0", 0, 2, 4, false, false, false, true, VK_DOWN, 0, 2, 0},
        {"up wraps to the last row", 1, 2, 1, false, false, false, true, VK_UP, 0, 2, 4},
        {"one free row: search ends", 4, 2, 4, false, false, false, true, VK_DOWN, 0, 2, 4},
        {"right wraps past the fixed column", 1, 4, 2, false, false, false, true, VK_RIGHT, 0, 1,
         2},
        {"left wraps to the last column", 1, 1, 2, false, false, false, true, VK_LEFT, 0, 4, 2},
        {"left with row selection", 1, 2, 2, true, false, false, true, VK_LEFT, 0, 2, 2},
        {"left with the editor showing", 1, 2, 2, false, true, true, true, VK_LEFT, VK_LEFT, 2, 2},
        {"return opens the editor", 1, 2, 2, false, true, false, true, VK_RETURN, VK_RETURN, 2, 2},
        {"return as down", 1, 2, 2, false, false, false, true, VK_RETURN, 0, 2, 3},
        {"return with the editor showing", 1, 2, 2, false, true, true, true, VK_RETURN, 0, 2, 3},
        {"disabled swallows", 1, 2, 2, false, false, false, false, VK_DOWN, 0, 2, 2},
        {"other keys pass", 1, 2, 2, false, false, false, true, 'A', 'A', 2, 2},
    };
    for (const Row& r : rows) {
        Attached a;
        a.grid.fixedRows = r.fixedRows;
        a.esg.SetGridSize(5, 5);
        a.grid.col = r.col;
        a.grid.row = r.row;
        a.grid.rowSelect = r.rowSelect;
        a.grid.editing = r.editing;
        a.grid.editorMode = r.editorMode;
        a.grid.enabled = r.enabled;
        int key = r.key;
        a.grid.OnKeyDown(key, {});
        EXPECT_EQ(key, r.keyAfter) << r.name;
        EXPECT_EQ(a.grid.col, r.endCol) << r.name;
        EXPECT_EQ(a.grid.row, r.endRow) << r.name;
    }
}

TEST(ExtendStringGridKeys, SpacePressesTheMouseAtTheCurrentCell) {
    FakeGrid grid;
    std::vector<std::string> presses;
    grid.OnMouseDown = [&](MouseButton button, ShiftState shift, int x, int y) {
        presses.push_back((button == MouseButton::Left ? "left " : "other ") + std::to_string(x) +
                          "," + std::to_string(y) +
                          (shift.shift || shift.ctrl || shift.alt ? " shifted" : ""));
    };
    ExtendStringGrid esg;
    esg.AttachGrid(grid);
    grid.col = 2;
    grid.row = 3;
    int key = VK_SPACE;
    grid.OnKeyDown(key, {true, false, false});
    EXPECT_EQ(key, 0);
    EXPECT_EQ(presses,
              std::vector<std::string>{"left 160,60"});  // two columns of 80, three rows of 20
}

TEST(ExtendStringGridEvents, SelectEditHoverAndScroll) {
    Attached a;
    bool canSelect = true;
    a.grid.OnSelectCell(0, 2, canSelect);
    EXPECT_FALSE(canSelect);
    canSelect = true;
    a.grid.OnSelectCell(2, 2, canSelect);
    EXPECT_TRUE(canSelect);
    a.grid.enabled = false;
    a.grid.OnSelectCell(0, 2, canSelect);
    EXPECT_TRUE(canSelect) << "a disabled grid lets the program move anywhere";

    a.Cell(2, 2).text = "1+2";
    std::string edit;
    a.grid.OnGetEditText(2, 2, edit);
    EXPECT_EQ(edit, "1+2");
    a.grid.OnSetEditText(2, 2, "3*4");
    EXPECT_EQ(a.Cell(2, 2).text, "3*4");

    const int changed = a.esg.changed;
    a.grid.OnMouseMove({}, 70, 50);  // cells are 80 x 20 after attaching
    EXPECT_EQ(a.esg.hoverCol, 0);
    EXPECT_EQ(a.esg.hoverRow, 2);
    a.grid.OnMouseMove({}, 5000, 5);
    EXPECT_EQ(a.esg.hoverCol, KeepValue);
    a.grid.OnTopLeftChanged();
    EXPECT_EQ(a.esg.changed, changed + 3);

    const int selections = a.esg.selectionChanged;
    a.grid.OnClick();
    a.grid.enabled = true;
    a.grid.OnClick();
    EXPECT_EQ(a.esg.selectionChanged, selections + 1);
}

}  // namespace
