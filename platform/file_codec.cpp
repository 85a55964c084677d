#include "platform/file_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Opening a converter loads a gconv module, so each direction is opened once for the run.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (usable()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of in as it can, appending to out; returns how many input bytes were
    // consumed. All of in was converted exactly when the return value is in.size().
    std::size_t Convert(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        // No character of these encodings grows by more than three bytes per input byte.
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) break;
        }
        return in.size() - srcLeft;
    }

private:
    iconv_t cd_;
};

Converter& Cp932ToUtf8() {
    static Converter converter("UTF-8", "CP932");
    return converter;
}

Converter& Utf8ToCp932() {
    static Converter converter("CP932", "UTF-8");
    return converter;
}

bool IsValidUtf8(std::string_view s) {
    while (!s.empty()) {
        const std::size_t length = Utf8SequenceLength(s);
        if (length == 0) return false;
        s.remove_prefix(length);
    }
    return true;
}

// Eight bytes at a time: the high bits of every byte gathered, then tested once.
bool IsAscii(std::string_view s) {
    std::uint64_t highBits = 0;
    std::size_t i = 0;
    for (; i + sizeof highBits <= s.size(); i += sizeof highBits) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, sizeof word);
        highBits |= word;
    }
    for (; i < s.size(); ++i)
        highBits |= static_cast<unsigned char>(s[i]);
    return (highBits & 0x8080808080808080u) == 0;
}

// UTF-8 with every ill-formed byte replaced by U+FFFD.
std::string RepairUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    while (!s.empty()) {
        const std::size_t length = Utf8SequenceLength(s);
        if (length == 0) {
            out += kReplacement;
            s.remove_prefix(1);
        } else {
            out += s.substr(0, length);
            s.remove_prefix(length);
        }
    }
    return out;
}

// CP932 to UTF-8; a byte that starts no valid character becomes U+FFFD and decoding goes on
// with the next byte.
std::string DecodeCp932Lenient(std::string_view bytes) {
    Converter& converter = Cp932ToUtf8();
    if (!converter.usable()) return RepairUtf8(bytes);
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    while (!bytes.empty()) {
        bytes.remove_prefix(converter.Convert(bytes, out));
        if (!bytes.empty()) {
            out += kReplacement;
            bytes.remove_prefix(1);
        }
    }
    return out;
}

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 (after its byte-order mark) to UTF-8; an unpaired surrogate or a last odd byte becomes
// U+FFFD. valid tells whether there was none, and no NUL character either.
std::string DecodeUtf16(std::string_view bytes, bool bigEndian, bool& valid) {
    const auto unit = [&](std::size_t i) {
        const auto high = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto low = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        return static_cast<char32_t>(high << 8 | low);
    };
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    valid = bytes.size() % 2 == 0;
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t first = unit(i);
        if (first >= 0xD800 && first <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t second = unit(i + 2);
            if (second >= 0xDC00 && second <= 0xDFFF) {
                AppendUtf8(0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00), out);
                i += 2;
                continue;
            }
        }
        if (first >= 0xD800 && first <= 0xDFFF) {
            valid = false;
            out += kReplacement;
            continue;
        }
        if (first == 0) valid = false;
        AppendUtf8(first, out);
    }
    if (i < bytes.size()) out += kReplacement;
    return out;
}

// The byte order a UTF-16 byte-order mark at the start of bytes names, if there is one.
std::optional<bool> Utf16BigEndian(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeBom)) return false;
    if (bytes.starts_with(kUtf16BeBom)) return true;
    return std::nullopt;
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

bool StartsWithUtf16Mark(std::string_view bytes) {
    return Utf16BigEndian(bytes).has_value();
}

std::optional<std::string> DecodeIfText(std::string_view bytes) {
    if (const std::optional<bool> bigEndian = Utf16BigEndian(bytes)) {
        bool valid = false;
        std::string text = DecodeUtf16(bytes.substr(kUtf16LeBom.size()), *bigEndian, valid);
        if (!valid) return std::nullopt;
        return text;
    }
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    if (bytes.starts_with(kBom)) {
        const std::string_view rest = bytes.substr(kBom.size());
        if (!IsValidUtf8(rest)) return std::nullopt;
        return std::string(rest);
    }
    if (IsAscii(bytes) || IsValidUtf8(bytes)) return std::string(bytes);
    Converter& converter = Cp932ToUtf8();
    std::string text;
    if (!converter.usable() || converter.Convert(bytes, text) != bytes.size()) return std::nullopt;
    return text;
}

std::string DecodeFileText(std::string_view bytes) {
    if (const std::optional<bool> bigEndian = Utf16BigEndian(bytes)) {
        bool valid = false;
        return DecodeUtf16(bytes.substr(kUtf16LeBom.size()), *bigEndian, valid);
    }
    if (bytes.starts_with(kBom)) return RepairUtf8(bytes.substr(kBom.size()));
    if (IsAscii(bytes)) return std::string(bytes);
    // A Linux editor writes UTF-8 without the mark. Well-formed UTF-8 with non-ASCII characters
    // is practically never Japanese CP932 text (its lead bytes 0x81-0x9F cannot start a UTF-8
    // character), while UTF-8 text is often well-formed CP932 ("é" reads as "ﾃｩ"), so UTF-8 is
    // tried first.
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return DecodeCp932Lenient(bytes);
}

std::string EncodeFileText(std::string_view text) {
    Converter& toCp932 = Utf8ToCp932();
    Converter& fromCp932 = Cp932ToUtf8();
    if (toCp932.usable() && fromCp932.usable()) {
        std::string cp932;
        cp932.reserve(text.size());
        // Some characters map to CP932 one way only (U+301C comes back as U+FF5E), and some
        // CP932 bytes are well-formed UTF-8, which the reader prefers ("ﾃｩ" is C3 A9, read
        // back as "é"): CP932 only when the reader gives back exactly this text.
        if (toCp932.Convert(text, cp932) == text.size() && DecodeFileText(cp932) == text) {
            return cp932;
        }
    }
    std::string utf8(kBom);
    utf8 += text;
    return utf8;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    // A line ends at the next LF or at a CR before it; both searches are memchr, and an LF
    // found serves every line of old Mac CR ends before it.
    std::size_t lf = std::min(text.find('\n'), text.size());
    while (start < text.size()) {
        if (lf < start) lf = std::min(text.find('\n', start), text.size());
        const std::size_t cr = text.substr(start, lf - start).find('\r');
        const std::size_t end = cr == std::string_view::npos ? lf : start + cr;
        lines.emplace_back(text.substr(start, end - start));
        if (end == text.size()) break;
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::string text;
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> DecodeFileLines(std::string_view bytes) {
    return SplitLines(DecodeFileText(bytes));
}

std::string EncodeFileLines(const std::vector<std::string>& lines) {
    return EncodeFileText(JoinLinesCrLf(lines));
}
