#include "sheet/extend_string_grid.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/sheet/attached_grid.h"

namespace {

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
