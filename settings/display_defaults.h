#pragma once
// The defaults of the four settings that decide how a value is shown. The formatting needs them
// without the settings record; the settings table takes them from here.

#include <cstdint>

inline constexpr std::int32_t kDefaultCmode = 0;  // real
inline constexpr std::int32_t kDefaultVmode = 0;  // decimal
inline constexpr std::int32_t kDefaultComma = 3;  // digits per group
inline constexpr std::int32_t kDefaultHsize = 8;  // hexadecimal digits shown
