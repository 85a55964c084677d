#pragma once
// The one conversion from platform colour values to Qt colours.

#include <QColor>
#include <QPalette>

#include "platform/grid_control.h"

// 0x00BBGGRR gives that RGB colour (red in the low byte); 0x80000000 + index gives the palette
// colour that stands for the system colour of that index (black for an index without one).
QColor ToQColor(PlatformColor color, const QPalette& palette);
// An RGB colour (0x00BBGGRR), which needs no palette.
QColor ToQColor(PlatformColor rgb);
