#pragma once
// Number-to-text formatting of results: at most 16 characters plus group separators.

#include <string>

#include "expr/extended.h"
#include "settings/display_modes.h"

// The display text of value under the given modes; a pure function.
std::string FormatValue(Extended value, const DisplayModes& modes);
