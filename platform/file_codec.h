#pragma once
// The one codec of every file the program reads or writes (settings, constants, formula
// files): a file that begins with a UTF-16 byte-order mark (little or big endian, what Windows
// editors write as "Unicode") is UTF-16, one with the UTF-8 mark or valid UTF-8 is UTF-8, any
// other is CP932 (Windows Shift-JIS). Inside the program all text is UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// File bytes to UTF-8 text (the byte-order mark removed); what no encoding accepts becomes U+FFFD.
std::string DecodeFileText(std::string_view bytes);
// True when the bytes begin with a UTF-16 byte-order mark (either byte order).
bool StartsWithUtf16Mark(std::string_view bytes);
// File bytes to UTF-8 text, as DecodeFileText decodes them, when they are text in one of the
// encodings read: no NUL character, and every byte part of a character (an image or an archive
// is not). Nothing otherwise.
std::optional<std::string> DecodeIfText(std::string_view bytes);
// UTF-8 text to file bytes: CP932 when the whole text survives the round trip to CP932 and back
// unchanged, otherwise UTF-8 with the byte-order mark, so nothing is lost.
std::string EncodeFileText(std::string_view text);

// Length of the well-formed UTF-8 sequence at the start of s (no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view s);

// Splits text into lines at CR LF, a lone CR or a lone LF; a last line without a line end
// counts, an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);
// Every line followed by CR LF, the last one too.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// File bytes to lines, as every text file of the program is read: decoded, then split.
std::vector<std::string> DecodeFileLines(std::string_view bytes);

// Lines to file bytes, as every text file of the program is written: CR LF after each line,
// then encoded.
std::string EncodeFileLines(const std::vector<std::string>& lines);
