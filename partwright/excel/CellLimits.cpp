#include "CellLimits.h"

#include "shared/core/Utf16Units.h"

namespace pw::excel {

std::vector<std::int32_t> FitTextsToCells(CellBlock& block) {
    std::vector<std::int32_t> cutRows;
    for (std::size_t at = 0; at < block.values.size(); ++at) {
        auto* text = std::get_if<std::string>(&block.values[at]);
        if (text && Utf16Length(*text) > kCellCharacters) {
            *text = std::string(Utf16Prefix(*text, kCellCharacters));
            cutRows.push_back(
                static_cast<std::int32_t>(at / static_cast<std::size_t>(block.columns)));
        }
    }
    return cutRows;
}

} // namespace pw::excel
