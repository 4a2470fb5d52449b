#pragma once

#include <cstdint>
#include <string>

namespace pw::model {

// One unique entry per distinct file: how often the walk met it (negative for a missing
// component: minus the number of its missing occurrences). A virtual component's entry is keyed
// by its assembly's file and its name (see VirtualKey).
struct clsDupe {
    std::string FileName;
    std::int32_t Quantity = 0;
    bool Virtual = false;
};

} // namespace pw::model
