#pragma once
// The number type of every calculation, and the sentinel that marks "no value".

#include <bit>
#include <cstdint>
#include <limits>

using Extended = long double;

static_assert(std::numeric_limits<Extended>::digits == 64 &&
                  std::numeric_limits<Extended>::max_exponent == 16384,
              "Tessarin calculates in the 80-bit x87 extended format (x86-64 long double)");

// The double nearest to 1e301 widened to extended (significand 0xEEEA5D5004981800, biased
// exponent 0x43E6). Stored values are compared with it for exact equality, so this widened
// double is used everywhere, never the extended value nearest to 1e301.
inline constexpr Extended ErrorValue =
    static_cast<Extended>(std::bit_cast<double>(std::uint64_t{0x7E6DDD4BAA009303}));
