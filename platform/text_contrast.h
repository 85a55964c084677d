#pragma once
// Legibility of text on a background: the WCAG relative luminance and contrast ratio, and the
// text colour to use on a background the program fixes.

#include "platform/grid_control.h"

inline constexpr double kReadableContrast = 4.5;

// For RGB colours (0x00BBGGRR); from 1 (the same colour) to 21 (black on white).
double ContrastRatio(PlatformColor rgb1, PlatformColor rgb2);
// The colour to draw text (or a focus frame) in on background. On a desktop colour the desired
// colour stays: desktop colours change together with the desktop's scheme. On a colour the
// program fixes, a desktop colour could be anything (white in a dark scheme), so black or
// white is taken, whichever reads better; a fixed colour stays when it is readable there.
PlatformColor ReadableTextColor(PlatformColor background, PlatformColor desired);
