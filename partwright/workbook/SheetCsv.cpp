#include "SheetCsv.h"

#include "shared/core/NumberText.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace pw::workbook {
namespace {

// Excel keeps at most this many characters in a formula's text constant.
constexpr std::size_t kLongestFormulaText = 255;

// Spreadsheets start a formula with any of these; "@" and a leading tab or carriage return are
// read as formulas by some of them too.
bool StartsLikeFormula(const std::string& text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string::npos;
}

// Whether a spreadsheet would read the text as anything but this very text.
bool ReadsOtherwise(const std::string& text) {
    if (text.empty()) {
        return false; // an empty field is read as an empty cell, which is what it is
    }
    if (StartsLikeFormula(text)) {
        return true;
    }
    // The year matters not: only whether the text stays the text it is.
    const CellEntry read = ReadEntry(text, 2000);
    return read.kind != CellKind::Text || read.text != text;
}

// The text between quotes, each quote in it doubled: how both a formula's text and a CSV field
// hold a quote.
std::string InQuotes(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string Protected(const std::string& text) {
    if (text.size() > kLongestFormulaText || text.find_first_of("\r\n") != std::string::npos) {
        // Too long or too broken for a formula: an apostrophe in front keeps it inert, shown.
        return "'" + text;
    }
    return "=" + InQuotes(text);
}

std::string IsoDate(double serial) {
    using namespace std::chrono;
    const auto day = sys_days(year{1899} / December / 30) + days(static_cast<int>(serial));
    const year_month_day date(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::string Quoted(const std::string& field) {
    const bool plain = field.find_first_of(",\"\r\n") == std::string::npos &&
                       (field.empty() || (field.front() != ' ' && field.back() != ' '));
    return plain ? field : InQuotes(field);
}

} // namespace

std::string CsvCellText(const CellEntry& entry, CsvReader reader) {
    switch (entry.kind) {
    case CellKind::Text:
        if (reader == CsvReader::Import) {
            return StartsLikeFormula(entry.text) ? "'" + entry.text : entry.text;
        }
        return ReadsOtherwise(entry.text) ? Protected(entry.text) : entry.text;
    case CellKind::Number:
        return std::isfinite(entry.number) ? DoubleText(entry.number) : "#NUM!";
    case CellKind::Date:
        return IsoDate(entry.number);
    case CellKind::Boolean:
        return entry.truth ? "TRUE" : "FALSE";
    case CellKind::Formula:
    case CellKind::Error: // read back as the error it is
        return entry.text;
    case CellKind::Empty:
        break;
    }
    return {};
}

std::string SheetCsv(const Sheet& sheet, CsvReader reader) {
    // Only cells that hold something make the sheet's size; formats alone do not.
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    sheet.ForEachCell([&](std::int32_t row, std::int32_t column, const StoredCell& cell) {
        if (cell.entry.kind != CellKind::Empty) {
            rows = std::max(rows, row);
            columns = std::max(columns, column);
        }
    });
    std::string csv = "\xEF\xBB\xBF";
    for (std::int32_t row = 1; row <= rows; ++row) {
        for (std::int32_t column = 1; column <= columns; ++column) {
            if (column > 1) {
                csv += ',';
            }
            if (const StoredCell* cell = sheet.Find(row, column)) {
                csv += Quoted(CsvCellText(cell->entry, reader));
            }
        }
        csv += "\r\n";
    }
    return csv;
}

} // namespace pw::workbook
