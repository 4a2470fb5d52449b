#include "WorkbookModel.h"

#include "shared/core/CaseFold.h"

namespace pw::standins {

const CellEntry& Sheet::Entry(std::int32_t row, std::int32_t column) const {
    static const CellEntry kEmpty;
    const auto found = cells.find(Key(row, column));
    return found == cells.end() ? kEmpty : found->second.entry;
}

std::pair<std::int32_t, std::int32_t> Sheet::LastCell() const {
    std::int32_t lastRow = 1;
    std::int32_t lastColumn = 1;
    for (const auto& [key, cell] : cells) {
        if (cell.entry.kind == CellKind::Empty) {
            continue;
        }
        lastRow = std::max(lastRow, static_cast<std::int32_t>(key >> 32));
        lastColumn = std::max(lastColumn, static_cast<std::int32_t>(key & 0xFFFFFFFFu));
    }
    return {lastRow, lastColumn};
}

double Sheet::RowHeight(std::int32_t row) const {
    const auto found = rows.find(row);
    return found != rows.end() && found->second.height ? *found->second.height : kDefaultRowHeight;
}

double Sheet::ColumnWidthPoints(std::int32_t column) const {
    const auto found = columns.find(column);
    const double characters =
        found != columns.end() && found->second.width ? *found->second.width : kDefaultColumnWidth;
    // Seven pixels a character of the standard font plus five of padding, at 0.75 points a pixel.
    return (characters * 7.0 + 5.0) * 0.75;
}

double Sheet::RowTop(std::int32_t row) const {
    double top = (row - 1) * kDefaultRowHeight;
    for (auto it = rows.begin(); it != rows.end() && it->first < row; ++it) {
        if (it->second.height) {
            top += *it->second.height - kDefaultRowHeight;
        }
    }
    return top;
}

double Sheet::ColumnLeft(std::int32_t column) const {
    double left = 0;
    for (std::int32_t c = 1; c < column; ++c) {
        left += ColumnWidthPoints(c);
    }
    return left;
}

Sheet* Workbook::FindSheet(const std::string& wanted) const {
    const std::string folded = FoldCase(wanted);
    for (const auto& sheet : sheets) {
        if (FoldCase(sheet->name) == folded) {
            return sheet.get();
        }
    }
    return nullptr;
}

Workbook* ExcelState::ActiveWorkbook() const {
    return activeWorkbook ? workbooks[*activeWorkbook].get() : nullptr;
}

} // namespace pw::standins
