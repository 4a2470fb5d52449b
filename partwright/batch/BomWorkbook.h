#pragma once

#include "partwright/export/modExcel.h"
#include "partwright/model/BomModel.h"
#include "partwright/workbook/WorkbookModel.h"

#include <memory>

namespace pw::batch {

// The Excel export of a loaded model, run against a workbook in memory instead of Excel: the
// same sheets, values and formats, without buttons, check boxes and macros. The workbook starts
// with one sheet, as Excel 2013 and later start one, so it holds the export's three sheets only.
std::unique_ptr<workbook::Workbook>
BomWorkbook(model::BomModel& model, bool indented, bool hyperlinks,
            excel::BomStructureColumn structure = excel::BomStructureColumn::Without,
            excel::SummaryRowsBy summaryRows = excel::SummaryRowsBy::File);

} // namespace pw::batch
