#pragma once

#include "BatchSheets.h"
#include "partwright/export/BomSheets.h"
#include "partwright/model/BomModel.h"
#include "partwright/workbook/WorkbookModel.h"

#include <memory>

namespace pw::batch {

// The Excel export's three sheets of a loaded model, made as a workbook to write as a file: the
// same values and formats, without buttons, check boxes and macros, which a file cannot run.
// With Excel's limits (for an .xlsx file), texts are cut to a cell and links end at a sheet's
// limit, each told to `fitted`; without them (for CSV files), every text stays whole. With
// `options.pictures`, the BOM sheets end in a column of the files' pictures, those of `pictures`.
std::unique_ptr<workbook::Workbook>
BomWorkbook(const model::BomModel& model, const excel::BomSheetOptions& options, bool hyperlinks,
            excel::CellLimits limits = excel::CellLimits::Excel, Fitted* fitted = nullptr,
            const workbook::FileImages* pictures = nullptr);

} // namespace pw::batch
