#pragma once

#include "SheetBlocks.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw::excel {

// Whether the workbook has Excel's limits (a cell's characters, a sheet's hyperlinks), as Excel
// and an .xlsx file have them, or none, as a CSV file has none.
enum class CellLimits { Excel, None };

// Whether a text of the block is longer than a cell holds (32,767 UTF-16 units).
bool HasTextLongerThanACell(const CellBlock& block);

// Cuts each text of the block that is longer than a cell holds to fit, never in the middle of a
// character: Excel refuses a whole block for one such text. Returns one note per text cut, naming
// its row (the block's first row being `top`) of `sheet`.
std::vector<std::string> FitTextsToCells(CellBlock& block, std::int32_t top,
                                         std::string_view sheet);

} // namespace pw::excel
