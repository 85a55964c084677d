#include "platform/window_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(WindowGeometry, MoveInside) {
    struct Row {
        const char* name;
        ScreenRect window;
        ScreenRect expected;
    };
    const ScreenRect area{0, 30, 1280, 994};  // below a 30-pixel panel
    const Row rows[] = {
        {"inside stays", {100, 100, 400, 300}, {100, 100, 400, 300}},
        {"touching every edge stays", {0, 30, 1280, 994}, {0, 30, 1280, 994}},
        {"above the top: title bar under the panel", {100, -20, 400, 300}, {100, 30, 400, 300}},
        {"past the right", {1000, 100, 400, 300}, {880, 100, 400, 300}},
        {"past the bottom and left", {-50, 900, 400, 300}, {0, 724, 400, 300}},
        {"far off, least move", {5000, 5000, 400, 300}, {880, 724, 400, 300}},
        {"wider and taller: top-left corner", {-100, -100, 1500, 1200}, {0, 30, 1500, 1200}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(MoveInside(r.window, area), r.expected) << r.name;
}

TEST(WindowGeometry, RestoreBounds) {
    struct Row {
        const char* name;
        ScreenRect saved;
        ScreenRect expected;
    };
    // Two screens side by side; the primary's available area leaves out a panel at the top.
    const ScreenRect primary{0, 30, 1280, 994};
    const std::vector<ScreenRect> areas{primary, {1280, 0, 1920, 1080}};
    const Row rows[] = {
        {"on the primary: exact", {80, 80, 600, 400}, {80, 80, 600, 400}},
        {"partly off the left, title bar in reach: exact",
         {-300, 80, 600, 400},
         {-300, 80, 600, 400}},
        {"partly off the bottom: exact", {80, 900, 600, 400}, {80, 900, 600, 400}},
        {"title bar above the screen: brought down", {80, -30, 600, 400}, {80, 30, 600, 400}},
        {"title bar under the panel: brought down", {80, 10, 600, 400}, {80, 30, 600, 400}},
        {"title bar grip off the left: brought on", {-580, 80, 600, 400}, {0, 80, 600, 400}},
        {"on the second screen: exact", {2000, 500, 600, 400}, {2000, 500, 600, 400}},
        {"across both screens: exact", {1000, 100, 600, 400}, {1000, 100, 600, 400}},
        {"right of every screen", {3300, 100, 600, 400}, {680, 100, 600, 400}},
        {"below the second screen", {2000, 1100, 600, 400}, {680, 624, 600, 400}},
        {"left of every screen", {-700, 200, 600, 400}, {0, 200, 600, 400}},
        {"just off the corner", {-600, -400, 600, 400}, {0, 30, 600, 400}},
        {"larger than the primary shrinks", {-3000, -3000, 2000, 1500}, {0, 30, 1280, 994}},
        {"taller than its screen shrinks onto it", {100, 40, 740, 1100}, {100, 30, 740, 994}},
        {"wider than the second screen shrinks onto it",
         {1300, 0, 2000, 600},
         {1280, 0, 1920, 600}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(RestoreBounds(r.saved, areas, primary), r.expected) << r.name;
}

}  // namespace
