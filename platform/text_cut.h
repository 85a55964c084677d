#pragma once
// What a place too narrow for a text shows of it. A number keeps what tells its size, its sign,
// integer part and exponent (-1.2193…E+17, 12,345.6…), or where even that has no room shows a mark
// that no one reads as a number (###); any other text keeps its start, followed by "…".

#include <functional>
#include <string>

// The width of a text in the place's units (pixels of its font).
using TextWidth = std::function<int(const std::string&)>;

// text as shown in avail: the whole text when it fits. When its last word (after its last blank)
// is a number, the words before it stay and the number is cut inside its fraction, before a "…"
// and its exponent; a number with no fraction to cut, or too wide even without one, becomes ###
// (##, # in less room), and where the words before it leave no room for that, they alone are cut
// as any other text is. Any other text keeps the most characters that fit before the "…", which
// is always shown.
std::string FitText(const std::string& text, int avail, const TextWidth& width);
