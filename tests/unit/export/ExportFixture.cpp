#include "ExportFixture.h"

#include "shared/core/NumberText.h"

namespace pw::excel {

std::string ExportFixture::Shown(const standins::Sheet& sheet, std::int32_t row,
                                 std::int32_t column) {
    const standins::CellEntry& entry = sheet.Entry(row, column);
    switch (entry.kind) {
    case standins::CellKind::Empty:
        return "";
    case standins::CellKind::Text:
    case standins::CellKind::Formula:
        return entry.text;
    case standins::CellKind::Boolean:
        return entry.truth ? "TRUE" : "FALSE";
    case standins::CellKind::Number:
    case standins::CellKind::Date:
        return DoubleText(entry.number);
    }
    return "";
}

} // namespace pw::excel
