#pragma once

#include <cstdint>
#include <string>

namespace pw::model {

// One unique entry per distinct file: how often the walk met it (negative for a missing
// component: minus the number of its missing occurrences).
struct clsDupe {
    std::string FileName;
    std::int16_t Quantity = 0;
};

} // namespace pw::model
