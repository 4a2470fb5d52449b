#include "XlsxText.h"

namespace pw::workbook {
namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Whether text holds "_xHHHH_" at `at`: Excel's escape of a character XML cannot hold.
bool ReadsAsEscape(std::string_view text, std::size_t at) {
    if (text.size() - at < 7 || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_') {
        return false;
    }
    return IsHexDigit(text[at + 2]) && IsHexDigit(text[at + 3]) && IsHexDigit(text[at + 4]) &&
           IsHexDigit(text[at + 5]);
}

void AppendEscapedCharacter(std::string& out, char c) {
    switch (c) {
    case '&':
        out += "&amp;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    case '"':
        out += "&quot;";
        break;
    case '\r':
        out += "&#13;";
        break;
    default:
        out += c;
    }
}

// U+FFFE and U+FFFF, which XML cannot hold either: their UTF-8 bytes' last one, or 0.
unsigned char NonCharacterAt(std::string_view text, std::size_t at) {
    if (text.size() - at < 3 || static_cast<unsigned char>(text[at]) != 0xEF ||
        static_cast<unsigned char>(text[at + 1]) != 0xBF) {
        return 0;
    }
    const auto last = static_cast<unsigned char>(text[at + 2]);
    return last == 0xBE || last == 0xBF ? last : 0;
}

bool IsForbiddenControl(unsigned char c) {
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

} // namespace

// An attribute has no escape for what XML cannot hold: such a character becomes U+FFFD.
void AppendEscaped(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsForbiddenControl(static_cast<unsigned char>(text[i]))) {
            out += "\xEF\xBF\xBD";
        } else if (NonCharacterAt(text, i) != 0) {
            out += "\xEF\xBF\xBD";
            i += 2;
        } else {
            AppendEscapedCharacter(out, text[i]);
        }
    }
}

void AppendCellText(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsForbiddenControl(c)) {
            out += "_x00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            out += '_';
        } else if (const unsigned char last = NonCharacterAt(text, i); last != 0) {
            out += last == 0xBE ? "_xFFFE_" : "_xFFFF_";
            i += 2;
        } else if (c == '_' && ReadsAsEscape(text, i)) {
            out += "_x005F_";
        } else {
            AppendEscapedCharacter(out, static_cast<char>(c));
        }
    }
}

} // namespace pw::workbook
