#include "CellLimits.h"

#include "shared/core/NumberText.h"
#include "shared/core/Utf16Units.h"

#include <algorithm>

namespace pw::excel {
namespace {

bool TooLongForACell(const CellValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return text && Utf16Length(*text) > kCellCharacters;
}

} // namespace

bool HasTextLongerThanACell(const CellBlock& block) {
    return std::any_of(block.values.begin(), block.values.end(), TooLongForACell);
}

std::vector<std::string> FitTextsToCells(CellBlock& block, std::int32_t top,
                                         std::string_view sheet) {
    std::vector<std::string> notes;
    for (std::size_t at = 0; at < block.values.size(); ++at) {
        if (TooLongForACell(block.values[at])) {
            auto& text = std::get<std::string>(block.values[at]);
            text = std::string(Utf16Prefix(text, kCellCharacters));
            const auto row =
                top + static_cast<std::int32_t>(at / static_cast<std::size_t>(block.columns));
            notes.push_back("the text in row " + IntegerText(row) + " of " + std::string(sheet) +
                            " was longer than Excel's 32,767 characters and was cut to fit");
        }
    }
    return notes;
}

} // namespace pw::excel
