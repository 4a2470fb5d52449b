#pragma once

#include "BatchSheets.h"
#include "partwright/model/ParentChild.h"
#include "partwright/workbook/WorkbookModel.h"

#include <memory>

namespace pw::batch {

inline constexpr const char* kParentChildSheet = "Parent-Child";

// The parent–child bill of materials of a loaded model as a workbook of one sheet: parent and
// component (part number and file), the quantity per parent, the component's description and
// material, its BOM structure when counted by Inventor's BOM rules, the level where the pair
// first appears, and the component's further properties the model was asked for. Missing components
// show their name and "File Missing", as in the Summary BOM.
// With `byPartNumber`, files of one part number are one parent or component (MergedByPartNumber).
// Texts are cut to a cell with Excel's limits, as BomWorkbook cuts them. With `pictures`, a
// last column shows each component's picture.
std::unique_ptr<workbook::Workbook>
ParentChildWorkbook(const model::BomModel& model, model::Counting counting,
                    bool byPartNumber = false, excel::CellLimits limits = excel::CellLimits::Excel,
                    Fitted* fitted = nullptr, const workbook::FileImages* pictures = nullptr);

} // namespace pw::batch
