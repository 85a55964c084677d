#pragma once
// The one reading of a decimal integer that every file, field and argument of the program uses.

#include <cstdint>
#include <optional>
#include <string_view>

// An optional sign followed by at least one digit 0-9 up to the end of text, within the signed
// 32-bit range; nullopt for anything else (blanks included).
std::optional<std::int32_t> ParseInteger(std::string_view text);
