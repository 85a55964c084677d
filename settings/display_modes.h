#pragma once
// The four settings that decide how a value is shown; the settings record produces them and the
// formatting takes them as a value.

#include <cstdint>

struct DisplayModes {
    std::int32_t cmode = 0;  // 0 real, 1 integer
    std::int32_t vmode = 0;  // 0 decimal, 1 hexadecimal (integer mode only)
    std::int32_t comma = 3;  // digits per group: 0 none, 3 or 4
    std::int32_t hsize = 8;  // hexadecimal digits shown, 1..16
};
