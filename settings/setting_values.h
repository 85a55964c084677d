#pragma once
// The default of an integer setting and the values it takes. A value from elsewhere (a
// hand-edited file, a formula file's header, the command line, a dialog field) is checked
// against them or brought into them.

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

struct SettingValues {
    enum class Kind {
        Any,    // every integer: a size, a position
        Flag,   // 0 off, any other value on; the program stores 0 or 1
        Range,  // low..high
        OneOf,  // the listed values only
    };

    Kind kind = Kind::Any;
    std::int32_t defaultValue = 0;
    std::int32_t low = std::numeric_limits<std::int32_t>::min();
    std::int32_t high = std::numeric_limits<std::int32_t>::max();
    std::array<std::int32_t, 3> listed{};

    static constexpr SettingValues Any(std::int32_t defaultValue) {
        return {Kind::Any, defaultValue};
    }
    static constexpr SettingValues Flag(std::int32_t defaultValue) {
        return {Kind::Flag, defaultValue, 0, 1};
    }
    static constexpr SettingValues Range(std::int32_t defaultValue, std::int32_t low,
                                         std::int32_t high) {
        return {Kind::Range, defaultValue, low, high};
    }
    static constexpr SettingValues OneOf(std::int32_t defaultValue,
                                         std::array<std::int32_t, 3> listed) {
        return {Kind::OneOf, defaultValue, *std::min_element(listed.begin(), listed.end()),
                *std::max_element(listed.begin(), listed.end()), listed};
    }

    // Whether value is one the setting holds as the program stores it (a flag 0 or 1).
    constexpr bool Takes(std::int32_t value) const {
        if (kind == Kind::OneOf) {
            return std::find(listed.begin(), listed.end(), value) != listed.end();
        }
        return value >= low && value <= high;
    }

    // value brought into the values: a flag that is on becomes 1, a number outside the range
    // its nearer end, any other value the default.
    constexpr std::int32_t Within(std::int32_t value) const {
        switch (kind) {
            case Kind::Flag:
                return value != 0 ? 1 : 0;
            case Kind::OneOf:
                return Takes(value) ? value : defaultValue;
            case Kind::Any:
            case Kind::Range:
                break;
        }
        return std::clamp(value, low, high);
    }
};
