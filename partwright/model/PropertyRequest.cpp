#include "PropertyRequest.h"

#include <charconv>

namespace pw::model {

std::optional<PropertyRequest> ParsePropertyRequest(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size()) {
        return std::nullopt;
    }
    PropertyRequest request{std::string(text.substr(0, colon)), std::string(text.substr(colon + 1)),
                            std::nullopt};
    std::int32_t id = 0;
    const char* end = request.name.data() + request.name.size();
    if (const auto [stop, error] = std::from_chars(request.name.data(), end, id);
        error == std::errc() && stop == end) {
        request.id = id;
    }
    return request;
}

} // namespace pw::model
