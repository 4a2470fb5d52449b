#pragma once

#include "BatchSheets.h"
#include "partwright/model/BomComparison.h"
#include "partwright/workbook/WorkbookModel.h"

#include <memory>
#include <vector>

namespace pw::batch {

inline constexpr const char* kChangesSheet = "Changes";
inline constexpr const char* kTotalsComparedSheet = "Totals";

// Two revisions side by side: "Changes", one row per difference (or "No differences"), filled by
// kind, and "Totals", the totals sheets' figures old, new and their difference; headers frozen.
// Texts are cut to a cell with Excel's limits, as BomWorkbook cuts them.
std::unique_ptr<workbook::Workbook>
ComparisonWorkbook(const model::BomModel& older, const model::BomModel& newer,
                   const std::vector<model::BomChange>& changes,
                   excel::CellLimits limits = excel::CellLimits::Excel, Fitted* fitted = nullptr);

} // namespace pw::batch
