#pragma once

#include "WorkbookModel.h"

#include <string>

namespace pw::workbook {

// Who reads a CSV file: a person in a spreadsheet, or a program that imports it.
enum class CsvReader {
    // Text that a spreadsheet would read as something else (a number, a date, a truth value, a
    // formula: "00123", "1-2", "TRUE", "=x", "+x") is written as the formula ="text", which
    // every spreadsheet shows as that very text and nothing can run.
    Spreadsheet,
    // RFC 4180: every value as it is, but a text that begins as a formula does (=, +, -, @, a tab
    // or a carriage return), which gets an apostrophe in front, so that a spreadsheet opening the
    // file by mistake runs nothing.
    Import,
};

// The sheet's cells as CSV: UTF-8 with a byte-order mark (without it Excel reads the bytes in the
// system's code page), comma-separated, CRLF-ended records, every record as wide as the sheet's
// widest. A field is quoted when it holds a comma, a quote, a line break or edge spaces.
std::string SheetCsv(const Sheet& sheet, CsvReader reader = CsvReader::Spreadsheet);

// How a cell's text goes into CSV unquoted, protected as above where it has to be.
std::string CsvCellText(const CellEntry& entry, CsvReader reader = CsvReader::Spreadsheet);

} // namespace pw::workbook
