#pragma once

#include "ExcelState.h"
#include "partwright/excel/ExcelApi.h"

#include <memory>

namespace pw::standins {

// Excel's automation interface over the workbook model, behaving as Excel does for every
// member the export and the macro writer use.
std::shared_ptr<excel::Application> MakeWorkbookApplication(std::shared_ptr<ExcelState> state);

// The sheet of `book` (made by MakeWorkbookApplication) named `name`, as Sheets(name) finds it;
// "Subscript out of range" when there is none.
std::shared_ptr<excel::Worksheet> FindModelWorksheet(excel::Workbook& book,
                                                     const std::string& name);

} // namespace pw::standins
