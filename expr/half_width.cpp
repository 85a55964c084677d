#include "expr/half_width.h"

char HalfWidthOf(char32_t c) {
    if (c == 0x3000) return ' ';
    if (c >= 0xFF10 && c <= 0xFF19) return static_cast<char>('0' + (c - 0xFF10));
    if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<char>('A' + (c - 0xFF21));
    if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char>('a' + (c - 0xFF41));
    switch (c) {
        case 0xFF08:
            return '(';
        case 0xFF09:
            return ')';
        case 0xFF0B:
            return '+';
        case 0xFF0D:
            return '-';
        case 0xFF0A:
            return '*';
        case 0xFF0F:
            return '/';
        default:
            return 0;
    }
}

std::string ToHalfWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        // Every mapped character is a three-byte sequence; anything else, including a stray
        // byte, is copied as it is and the scan goes on at the next byte.
        if ((lead & 0xF0) == 0xE0 && i + 2 < text.size()) {
            const unsigned char b1 = static_cast<unsigned char>(text[i + 1]);
            const unsigned char b2 = static_cast<unsigned char>(text[i + 2]);
            if ((b1 & 0xC0) == 0x80 && (b2 & 0xC0) == 0x80) {
                const char32_t c = ((lead & 0x0Fu) << 12) | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
                if (const char half = HalfWidthOf(c)) {
                    out.push_back(half);
                } else {
                    out.append(text.substr(i, 3));
                }
                i += 3;
                continue;
            }
        }
        out.push_back(static_cast<char>(lead));
        ++i;
    }
    return out;
}
