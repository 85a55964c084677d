#pragma once
// The sheet's lines A0..A99: the grid, the formula file, the export and the windows count them
// by these names.

inline constexpr int kLineCount = 100;
inline constexpr int kLastLine = kLineCount - 1;
