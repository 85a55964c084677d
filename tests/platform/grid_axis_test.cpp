#include "platform/grid_axis.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct AxisCase {
    const char* name;
    std::function<int(const GridAxis&)> measure;
    int expected;
};

void ExpectAll(const GridAxis& axis, const std::vector<AxisCase>& cases) {
    for (const AxisCase& c : cases)
        EXPECT_EQ(c.measure(axis), c.expected) << c.name;
}

// One fixed column of 10 pixels, then 20 (scrolled out), 30, a hidden one, 40 and 50; the
// viewport of 80 pixels shows the fixed column, 30 and 40 exactly.
TEST(GridAxis, ScrolledAxisWithAHiddenIndex) {
    const std::vector<int> sizes{10, 20, 30, 0, 40, 50};
    const GridAxis axis{sizes, 1, 2, 80};
    ExpectAll(axis,
              {
                  {"fixed extent", [](const GridAxis& a) { return a.FixedExtent(); }, 10},
                  {"start of fixed", [](const GridAxis& a) { return a.Start(0); }, 0},
                  {"start scrolled out", [](const GridAxis& a) { return a.Start(1); }, -1},
                  {"start of first", [](const GridAxis& a) { return a.Start(2); }, 10},
                  {"start after hidden", [](const GridAxis& a) { return a.Start(4); }, 40},
                  {"start beyond view", [](const GridAxis& a) { return a.Start(5); }, 80},
                  {"index at 0", [](const GridAxis& a) { return a.IndexAt(0); }, 0},
                  {"index at fixed end", [](const GridAxis& a) { return a.IndexAt(9); }, 0},
                  {"index after fixed", [](const GridAxis& a) { return a.IndexAt(10); }, 2},
                  {"hidden never hit", [](const GridAxis& a) { return a.IndexAt(40); }, 4},
                  {"index at last pixel", [](const GridAxis& a) { return a.IndexAt(79); }, 4},
                  {"index at limit", [](const GridAxis& a) { return a.IndexAt(80); }, -1},
                  {"index before 0", [](const GridAxis& a) { return a.IndexAt(-1); }, -1},
                  {"near before", [](const GridAxis& a) { return a.ScrollingNear(-5); }, 2},
                  {"near in fixed", [](const GridAxis& a) { return a.ScrollingNear(5); }, 2},
                  {"near inside", [](const GridAxis& a) { return a.ScrollingNear(45); }, 4},
                  {"near after", [](const GridAxis& a) { return a.ScrollingNear(500); }, 4},
                  {"max first", [](const GridAxis& a) { return a.MaxFirst(); }, 5},
                  {"show fixed", [](const GridAxis& a) { return a.FirstShowing(0); }, 2},
                  {"show earlier", [](const GridAxis& a) { return a.FirstShowing(1); }, 1},
                  {"show fitting", [](const GridAxis& a) { return a.FirstShowing(4); }, 2},
                  {"show last", [](const GridAxis& a) { return a.FirstShowing(5); }, 5},
                  {"fully shown", [](const GridAxis& a) { return a.FullyShown(); }, 2},
                  {"step over hidden", [](const GridAxis& a) { return a.Step(2, 1); }, 4},
                  {"step back", [](const GridAxis& a) { return a.Step(4, -1); }, 2},
                  {"step stops at fixed", [](const GridAxis& a) { return a.Step(1, -1); }, 1},
                  {"step stops at end", [](const GridAxis& a) { return a.Step(4, 5); }, 5},
                  {"scrolling with size", [](const GridAxis& a) { return a.ShownScrolling(); }, 4},
              });
}

// Everything fits: nothing scrolls, the last index is nearest to any later position.
TEST(GridAxis, EverythingFits) {
    const std::vector<int> sizes{24, 24, 24};
    const GridAxis axis{sizes, 0, 0, 1000};
    ExpectAll(axis, {
                        {"max first", [](const GridAxis& a) { return a.MaxFirst(); }, 0},
                        {"fully shown", [](const GridAxis& a) { return a.FullyShown(); }, 3},
                        {"near after", [](const GridAxis& a) { return a.ScrollingNear(2000); }, 2},
                        {"past the last", [](const GridAxis& a) { return a.IndexAt(72); }, -1},
                    });
}

// A viewport smaller than the fixed part still counts one scrolling index as shown.
TEST(GridAxis, ViewportSmallerThanFixedPart) {
    const std::vector<int> sizes{10, 20, 30};
    const GridAxis axis{sizes, 1, 1, 5};
    ExpectAll(axis, {
                        {"fully shown", [](const GridAxis& a) { return a.FullyShown(); }, 1},
                        {"max first", [](const GridAxis& a) { return a.MaxFirst(); }, 2},
                        {"only fixed hit", [](const GridAxis& a) { return a.IndexAt(4); }, 0},
                    });
}

}  // namespace
