#pragma once

#include "WorkbookModel.h"

#include <string>

namespace pw::workbook {

// The sheet's cells as CSV for spreadsheets and scripts alike: UTF-8 with a byte-order mark
// (without it Excel reads the bytes in the system's code page), comma-separated, CRLF-ended
// records, every record as wide as the sheet's widest. A field is quoted when it holds a comma,
// a quote, a line break or edge spaces. Text that a spreadsheet would read as something else (a
// number, a date, a truth value, a formula: "00123", "1-2", "TRUE", "=x", "+x") is written as the
// formula ="text", which every spreadsheet shows as that very text and nothing can run.
std::string SheetCsv(const Sheet& sheet);

// How a cell's text goes into CSV unquoted, protected as above where it has to be.
std::string CsvCellText(const CellEntry& entry);

} // namespace pw::workbook
