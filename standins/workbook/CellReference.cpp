#include "CellReference.h"

#include <cctype>

namespace pw::standins {

std::optional<std::pair<std::int32_t, std::int32_t>> CellOfReference(const std::string& text) {
    std::size_t at = text.starts_with('$') ? 1u : 0u;
    std::int64_t column = 0;
    for (; at < text.size() && std::isalpha(static_cast<unsigned char>(text[at])) != 0; ++at) {
        column = column * 26 + (std::toupper(static_cast<unsigned char>(text[at])) - 'A' + 1);
        if (column > 16384) {
            return std::nullopt;
        }
    }
    at += at < text.size() && text[at] == '$' ? 1u : 0u;
    std::int64_t row = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) != 0; ++at) {
        row = row * 10 + (text[at] - '0');
        if (row > 1048576) {
            return std::nullopt;
        }
    }
    if (column == 0 || row == 0 || at != text.size()) {
        return std::nullopt;
    }
    return std::pair{static_cast<std::int32_t>(row), static_cast<std::int32_t>(column)};
}

} // namespace pw::standins
