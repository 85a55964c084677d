#pragma once
// The result panel's colours, amber digits on dark grey: the digit display, the function pad,
// the current line's number in the sheet and the program's pictures all use them.

#include "platform/grid_control.h"

inline constexpr PlatformColor kResultPanelColor = 0x313131;  // 3223857
inline constexpr PlatformColor kResultDigitColor = 0x00CEFF;  // amber
