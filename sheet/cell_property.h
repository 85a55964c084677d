#pragma once
// The per-cell records the grid object draws from: frame and background, text colour, layout
// of the text lines, and the fixed and marked flags.

#include <cstdint>
#include <string>

#include "platform/grid_control.h"

struct CellStyle {
    // frame 0 none, 1 all four edges, 2 bottom and right, 3 top and left
    std::int32_t frame = 0;
    PlatformColor color = kWindowColor;

    CellStyle() = default;
    CellStyle(std::int32_t frame, PlatformColor color) : frame(frame), color(color) {}
};

struct CellProperty {
    CellStyle style;
    PlatformColor fontColor = kWindowTextColor;
    std::int32_t lineCount = 1;  // text lines the cell is laid out for (vertical centring)
    std::int32_t align = 0;      // 0 left, 1 centred, 2 right, 3 even lines left, odd lines right
    std::string text;            // UTF-8; tab characters separate the display lines
    std::int32_t fixed = 0;      // in a fixed column or row: never current, never marked
    std::int32_t marked = 0;
    std::int32_t spare = 0;  // free for callers; the grid object never reads it
};
