#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace pw::standins {

// "$J$5" or "J5": the cell's row and column, or nothing when the text names no single cell of
// a sheet.
std::optional<std::pair<std::int32_t, std::int32_t>> CellOfReference(const std::string& text);

} // namespace pw::standins
