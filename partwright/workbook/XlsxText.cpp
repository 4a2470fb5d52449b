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

} // namespace

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        AppendEscapedCharacter(out, c);
    }
}

void AppendCellText(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            out += "_x00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            out += '_';
        } else if (c == '_' && ReadsAsEscape(text, i)) {
            out += "_x005F_";
        } else {
            AppendEscapedCharacter(out, static_cast<char>(c));
        }
    }
}

} // namespace pw::workbook
