#pragma once
// The grid object attached to a fake grid control, as the grid object's tests use it.

#include <string>
#include <vector>

#include "sheet/extend_string_grid.h"
#include "tests/sheet/fake_grid.h"

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
