#include "PropertyRequest.h"

#include <charconv>

namespace pw::model {

std::optional<PropertyRequest> ParsePropertyRequest(std::string_view text) {
    std::string set;
    std::size_t at = 0;
    for (; at < text.size(); ++at) {
        if (text[at] != ':') {
            set += text[at];
        } else if (at + 1 < text.size() && text[at + 1] == ':') {
            set += ':'; // a set's own colon, doubled
            ++at;
        } else {
            break;
        }
    }
    if (at >= text.size() || set.empty() || at + 1 == text.size()) {
        return std::nullopt;
    }
    PropertyRequest request{std::move(set), std::string(text.substr(at + 1)), std::nullopt};
    std::int32_t id = 0;
    const char* end = request.name.data() + request.name.size();
    if (const auto [stop, error] = std::from_chars(request.name.data(), end, id);
        error == std::errc() && stop == end) {
        request.id = id;
    }
    return request;
}

} // namespace pw::model
