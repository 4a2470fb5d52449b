#pragma once

#include "standins/inventor/StandinInventor.h"

#include <string>

namespace pw::bench {

// Builds an assembly of `occurrences` occurrences over `distinctFiles` files, six levels deep:
// sub-assemblies on levels 2 to 5, parts on level 6, each part used about equally often.
// Returns the top assembly's path.
std::string BuildSyntheticAssembly(standins::StandinInventor& inventor, int occurrences,
                                   int distinctFiles);

} // namespace pw::bench
