#pragma once

#include "WorkbookModel.h"

#include <string>

namespace pw::workbook {

// The workbook as an Office Open XML spreadsheet (.xlsx) that Excel and LibreOffice open: each
// sheet's values, formats, column widths, row heights, frozen panes and hyperlinks, in tab order.
// Raises a Failure for a sheet larger than Excel's grid, which Excel would refuse to open.
std::string WorkbookXlsx(const Workbook& book);

} // namespace pw::workbook
