#pragma once

#include "partwright/excel/ExcelApi.h"
#include "partwright/model/BomModel.h"

#include <array>
#include <cstdint>
#include <span>

namespace pw::excel {

// The columns a BOM gains where components are counted in a length, an area, a volume or a mass:
// what one item counts for as Inventor shows it, the total as a number, and its unit.
inline constexpr const char* kQuantityHeaders[] = {"Unit QTY", "Total QTY", "Unit"};
inline constexpr std::int32_t kQuantityColumnCount = 3;

using QuantityCellRow = std::array<CellValue, kQuantityColumnCount>;

// Whether any component of the model is counted other than in items.
bool CountsInBaseQuantities(const model::BomModel& model);

// A row of `items` uses of `records` (the files a row stands for, the first leading): "each" and
// the count for components counted in items; Inventor's text, items times one item's quantity
// and the unit otherwise; "*Varies*" where the files are counted differently. The total is empty
// where Partwright cannot convert Inventor's unit.
QuantityCellRow QuantityCells(std::span<const model::clsFileData* const> records,
                              std::int64_t items);

} // namespace pw::excel
