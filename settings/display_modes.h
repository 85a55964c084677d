#pragma once
// The four settings that decide how a value is shown; the settings record produces them and the
// formatting takes them as a value. Left out, each is its setting's default.

#include <cstdint>

#include "settings/display_defaults.h"

struct DisplayModes {
    // 0 real, 1 integer
    std::int32_t cmode = kDefaultCmode;
    // 0 decimal, 1 hexadecimal (integer mode only)
    std::int32_t vmode = kDefaultVmode;
    // digits per group: 0 none, 3 or 4
    std::int32_t comma = kDefaultComma;
    // hexadecimal digits shown, 1..16
    std::int32_t hsize = kDefaultHsize;
};
