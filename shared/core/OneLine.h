#pragma once

#include <string>

namespace pw {

// A message box's text on one line, as a console or a log shows it: each run of line breaks
// one space.
inline std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c != '\r' && c != '\n') {
            line += c;
        } else if (!line.empty() && line.back() != ' ') {
            line += ' ';
        }
    }
    return line;
}

} // namespace pw
