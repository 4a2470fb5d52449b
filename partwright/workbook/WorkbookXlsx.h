#pragma once

#include "WorkbookModel.h"

#include <string>

namespace pw::workbook {

// The workbook as an Office Open XML spreadsheet (.xlsx) that Excel and LibreOffice open: each
// sheet's values, formats, column widths, row heights, frozen panes and hyperlinks, in tab order.
// Shapes and macro modules are not written: an .xlsx holds neither buttons' macros nor code.
std::string WorkbookXlsx(const Workbook& book);

} // namespace pw::workbook
