#pragma once
// Number-to-text formatting of results: at most 16 characters plus group separators.

#include <cstdint>
#include <string>

#include "expr/extended.h"

// The four settings that decide how a value is shown.
struct DisplayModes {
    std::int32_t cmode = 0;  // 0 real, 1 integer
    std::int32_t vmode = 0;  // 0 decimal, 1 hexadecimal (integer mode only)
    std::int32_t comma = 3;  // digits per group: 0 none, 3 or 4
    std::int32_t hsize = 8;  // hexadecimal digits shown, 1..16
};

// The display text of value under the given modes; a pure function.
std::string FormatValue(Extended value, const DisplayModes& modes);
// The display text of value under the modes of the program-wide settings record.
std::string FormatValue(Extended value);
