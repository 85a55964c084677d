// Any bytes through the file codec: decoding gives well-formed UTF-8 and keeps text that was
// already UTF-8 or ASCII, encoding that text and decoding it again gives it back unchanged, and
// splitting into lines and joining them with CR LF loses nothing.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/file_codec.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Well-formed UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsWellFormedUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t length;
        std::uint32_t code;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            length = 2;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + length > s.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            code = (code << 6) | (t & 0x3F);
        }
        static const std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = DecodeFileText(bytes);
    FUZZ_CHECK(IsWellFormedUtf8(text), Escaped(std::string(bytes)) + " -> " + Escaped(text));
    if (bytes.starts_with(kBom)) {
        if (IsWellFormedUtf8(bytes.substr(kBom.size())))
            FUZZ_CHECK(text == bytes.substr(kBom.size()), Escaped(std::string(bytes)));
    } else if (IsWellFormedUtf8(bytes)) {
        FUZZ_CHECK(text == bytes, Escaped(std::string(bytes)));
    }

    const std::string encoded = EncodeFileText(text);
    const std::string decoded = DecodeFileText(encoded);
    FUZZ_CHECK(decoded == text, Escaped(text) + " encoded as " + Escaped(encoded) + " decoded as " +
                                    Escaped(decoded));

    const std::vector<std::string> lines = SplitLines(text);
    for (const std::string& line : lines)
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos, Escaped(line));
    FUZZ_CHECK(SplitLines(JoinLinesCrLf(lines)) == lines, Escaped(text));
    // Only the line ends go: the characters of the lines are those of the text, in order.
    std::string withoutEnds;
    for (char c : text) {
        if (c != '\r' && c != '\n') withoutEnds += c;
    }
    std::string joined;
    for (const std::string& line : lines)
        joined += line;
    FUZZ_CHECK(joined == withoutEnds, Escaped(text));
    return 0;
}
