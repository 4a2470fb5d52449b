#include "ExportFixture.h"

#include "shared/core/NumberText.h"

namespace pw::excel {

std::string ExportFixture::Shown(const workbook::Sheet& sheet, std::int32_t row,
                                 std::int32_t column) {
    const workbook::CellEntry& entry = sheet.Entry(row, column);
    switch (entry.kind) {
    case workbook::CellKind::Empty:
        return "";
    case workbook::CellKind::Text:
    case workbook::CellKind::Formula:
    case workbook::CellKind::Error:
        return entry.text;
    case workbook::CellKind::Boolean:
        return entry.truth ? "TRUE" : "FALSE";
    case workbook::CellKind::Number:
    case workbook::CellKind::Date:
        return DoubleText(entry.number);
    }
    return "";
}

} // namespace pw::excel
