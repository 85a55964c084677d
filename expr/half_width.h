#pragma once
// Full-width forms typed through an input method, as formulas and constant values read them.

#include <string>
#include <string_view>

// Folds the full-width forms of blank, digits, ()+-*/ and Latin letters to ASCII; every other
// character stays as it is.
std::string ToHalfWidth(std::string_view text);
// The ASCII counterpart of one full-width character, or 0 when it has none.
char HalfWidthOf(char32_t c);
