#pragma once

#include "ExcelApi.h"

#include <cstdint>
#include <vector>

namespace pw::excel {

// Cuts each text of the block that is longer than a cell holds (32,767 UTF-16 units) to fit,
// never in the middle of a character: Excel refuses a whole block for one such text. Returns
// the block's rows, from 0, that held one, once per text cut.
std::vector<std::int32_t> FitTextsToCells(CellBlock& block);

} // namespace pw::excel
