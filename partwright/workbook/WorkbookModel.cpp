#include "WorkbookModel.h"

#include "shared/core/CaseFold.h"

#include <chrono>

namespace pw::workbook {

const StoredCell* Sheet::Find(std::int32_t row, std::int32_t column) const {
    const auto r = static_cast<std::size_t>(row - 1);
    const auto c = static_cast<std::size_t>(column - 1);
    if (row < 1 || column < 1 || r >= grid.size() || c >= grid[r].size()) {
        return nullptr;
    }
    return &grid[r][c];
}

StoredCell& Sheet::At(std::int32_t row, std::int32_t column) {
    const auto r = static_cast<std::size_t>(row - 1);
    const auto c = static_cast<std::size_t>(column - 1);
    if (r >= grid.size()) {
        grid.resize(r + 1);
    }
    if (c >= grid[r].size()) {
        grid[r].resize(c + 1);
    }
    return grid[r][c];
}

void Sheet::Reserve(std::int32_t top, std::int32_t bottom, std::int32_t width) {
    if (top < 1 || bottom < top || width < 1) {
        return;
    }
    if (grid.size() < static_cast<std::size_t>(bottom)) {
        grid.resize(static_cast<std::size_t>(bottom));
    }
    for (auto r = static_cast<std::size_t>(top - 1); r < static_cast<std::size_t>(bottom); ++r) {
        grid[r].reserve(static_cast<std::size_t>(width));
    }
}

const CellEntry& Sheet::Entry(std::int32_t row, std::int32_t column) const {
    static const CellEntry kEmpty;
    const StoredCell* cell = Find(row, column);
    return cell ? cell->entry : kEmpty;
}

std::pair<std::int32_t, std::int32_t> Sheet::LastCell() const {
    std::int32_t lastRow = 1;
    std::int32_t lastColumn = 1;
    ForEachCell([&](std::int32_t row, std::int32_t column, const StoredCell& cell) {
        if (cell.entry.kind != CellKind::Empty) {
            lastRow = std::max(lastRow, row);
            lastColumn = std::max(lastColumn, column);
        }
    });
    return {lastRow, lastColumn};
}

double Sheet::RowHeight(std::int32_t row) const {
    const auto found = rowHeights.find(row);
    return found != rowHeights.end() ? found->second : kDefaultRowHeight;
}

void Sheet::SetRowHeight(std::int32_t row, double points) {
    rows[row].height = points;
    rowHeights[row] = points;
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
    for (auto it = rowHeights.begin(); it != rowHeights.end() && it->first < row; ++it) {
        top += it->second - kDefaultRowHeight;
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

int ThisYear() {
    const std::chrono::year_month_day today{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    return static_cast<int>(today.year());
}

} // namespace pw::workbook
