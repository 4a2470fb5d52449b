#pragma once

#include <cstdint>

namespace pw::model {

// The four counters of one load; arithmetic on them goes through pw::checked.
struct Tallies {
    std::int16_t MaxIndent = 1;
    std::int32_t AssyCount = 1;
    std::int32_t PartCount = 0;
    std::int32_t MissingCount = 0;
};

} // namespace pw::model
