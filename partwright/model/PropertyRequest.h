#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pw::model {

// A property asked for as a column of its own: its set (a name or a format identifier) and the
// property, by id when it is given as a number, else by name (custom iProperties).
struct PropertyRequest {
    std::string set;
    std::string name; // as given; the column's header
    std::optional<std::int32_t> id;
};

// "SET:NAME", split at the first colon; a colon of the set's own name is doubled ("A::B:NAME" is
// the property NAME of the set "A:B"). Nothing when either side is empty.
std::optional<PropertyRequest> ParsePropertyRequest(std::string_view text);

} // namespace pw::model
