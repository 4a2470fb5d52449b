#include "CaseFold.h"

#include <cstdint>

namespace pw {
namespace {

char32_t LowerOf(char32_t c) {
    if (c < 0x80) {
        return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
    }
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    // Latin Extended-A pairs capitals with the code point after them; the runs switch parity.
    if (c == 0x130) {
        return c; // dotted capital I has no one-letter lower case of its own here
    }
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return (c % 2 == 0) ? c + 1 : c;
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return (c % 2 == 1) ? c + 1 : c;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one code point of a two- or three-byte sequence at text[i]; 0 when it is not one.
std::size_t DecodeAt(std::string_view text, std::size_t i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[i + k]); };
    const auto continuation = [&](std::size_t k) {
        return i + k < text.size() && (byte(k) & 0xC0) == 0x80;
    };
    if ((byte(0) & 0xE0) == 0xC0 && byte(0) >= 0xC2 && continuation(1)) {
        c = static_cast<char32_t>(((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F));
        return 2;
    }
    if ((byte(0) & 0xF0) == 0xE0 && continuation(1) && continuation(2)) {
        c = static_cast<char32_t>(((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) |
                                  (byte(2) & 0x3F));
        return c >= 0x800 ? 3 : 0;
    }
    return 0;
}

} // namespace

std::string FoldCase(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        if (lead < 0x80) {
            folded += static_cast<char>(LowerOf(lead));
            ++i;
            continue;
        }
        char32_t c = 0;
        if (const std::size_t length = DecodeAt(utf8, i, c); length != 0) {
            AppendUtf8(folded, LowerOf(c));
            i += length;
        } else {
            folded += utf8[i]; // four-byte sequences and stray bytes have no case to fold
            ++i;
        }
    }
    return folded;
}

} // namespace pw
