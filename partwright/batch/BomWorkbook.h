#pragma once

#include "InMemoryWorkbook.h"
#include "partwright/export/modExcel.h"
#include "partwright/model/BomModel.h"
#include "partwright/workbook/WorkbookModel.h"

#include <memory>

namespace pw::batch {

// The Excel export of a loaded model, run against a workbook in memory instead of Excel: the
// same sheets, values and formats, without buttons, check boxes and macros. The workbook starts
// with one sheet, as Excel 2013 and later start one, so it holds the export's three sheets only.
// With Excel's limits (for an .xlsx file), texts are cut to a cell and links end at a sheet's
// limit, each told to `fitted`; without them (for CSV files), every text stays whole. Where any
// component is counted in a length, an area, a volume or a mass, the Summary BOM gains Unit QTY,
// Total QTY and Unit.
std::unique_ptr<workbook::Workbook>
BomWorkbook(model::BomModel& model, bool indented, bool hyperlinks,
            excel::BomStructureColumn structure = excel::BomStructureColumn::Without,
            excel::SummaryRowsBy summaryRows = excel::SummaryRowsBy::File,
            excel::CellLimits limits = excel::CellLimits::Excel, Fitted* fitted = nullptr);

} // namespace pw::batch
