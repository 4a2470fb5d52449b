#include "ComparisonWorkbook.h"

#include "InMemoryWorkbook.h"
#include "partwright/export/CellText.h"

#include <algorithm>
#include <array>
#include <utility>

namespace pw::batch {
namespace {

using excel::CellBlock;
using excel::CellValue;
using excel::FieldCell;
using excel::kRowsPerBlock;
using excel::TextCell;

constexpr ColumnHeading kChangeHeadings[] = {
    {"Change", 14},     {"Key", 22},         {"Old", 18},      {"New", 18},
    {"Difference", 11}, {"Description", 32}, {"Material", 18}, {"File", 26},
};
constexpr ColumnHeading kTotalsHeadings[] = {
    {"", 22}, {"Old", 12}, {"New", 12}, {"Difference", 12}};

// Excel's colour indexes: light green, rose and light yellow.
std::int32_t FillOf(model::ChangeKind kind) {
    switch (kind) {
    case model::ChangeKind::Added:
        return 35;
    case model::ChangeKind::Removed:
        return 38;
    default:
        return 36;
    }
}

CellValue Number(std::int64_t value) {
    return value >= INT32_MIN && value <= INT32_MAX ? CellValue{static_cast<std::int32_t>(value)}
                                                    : CellValue{static_cast<double>(value)};
}

void WriteChanges(excel::Worksheet& sheet, const std::vector<model::BomChange>& changes,
                  excel::CellLimits limits, Fitted* fitted) {
    constexpr std::int32_t kWidth = 8;
    if (changes.empty()) {
        sheet.Cells(2, 1)->SetValue(TextCell("No differences"));
        return;
    }
    const auto count = static_cast<std::int32_t>(changes.size());
    for (std::int32_t first = 0; first < count; first += kRowsPerBlock) {
        const std::int32_t rows = std::min(kRowsPerBlock, count - first);
        CellBlock block(rows, kWidth);
        for (std::int32_t row = 0; row < rows; ++row) {
            const model::BomChange& change = changes[static_cast<std::size_t>(first + row)];
            std::string folder;
            std::string name;
            excel::SplitRecordPath(*change.record, folder, name);
            const CellValue cells[kWidth] = {TextCell(change.what),
                                             TextCell(change.key),
                                             FieldCell(change.oldValue),
                                             FieldCell(change.newValue),
                                             change.difference ? Number(*change.difference)
                                                               : CellValue{},
                                             TextCell(change.record->Description),
                                             TextCell(change.record->Material),
                                             TextCell(name)};
            for (std::int32_t column = 0; column < kWidth; ++column) {
                block.At(row, column) = cells[column];
            }
        }
        WriteFittedBlock(sheet, kChangesSheet, first + 2, std::move(block), limits, fitted);
        // One fill per run of rows of a kind.
        for (std::int32_t row = 0; row < rows;) {
            const model::ChangeKind kind = changes[static_cast<std::size_t>(first + row)].kind;
            std::int32_t end = row;
            while (end < rows && changes[static_cast<std::size_t>(first + end)].kind == kind) {
                ++end;
            }
            sheet.RowSpan(first + 2 + row, first + 1 + end)->SetInteriorColorIndex(FillOf(kind));
            row = end;
        }
    }
}

void WriteTotals(excel::Worksheet& sheet, const model::BomModel& older,
                 const model::BomModel& newer) {
    const char* const labels[] = {
        "Max Indenting: ", "Total Files: ",        "Total Assemblies: ",
        "Total Parts: ",   "Total Parts+Ass'ys: ", "Missing Components: "};
    const auto figures = [](const model::BomModel& model) {
        const model::Tallies& counts = model.Counts;
        return std::array<std::int64_t, 6>{counts.MaxIndent,
                                           model.Dupes.Count(),
                                           counts.AssyCount,
                                           counts.PartCount,
                                           std::int64_t{counts.PartCount} + counts.AssyCount,
                                           counts.MissingCount};
    };
    const auto before = figures(older);
    const auto after = figures(newer);
    CellBlock block(6, 4);
    for (std::size_t i = 0; i < 6; ++i) {
        const auto row = static_cast<std::int32_t>(i);
        block.At(row, 0) = TextCell(labels[i]);
        block.At(row, 1) = Number(before[i]);
        block.At(row, 2) = Number(after[i]);
        block.At(row, 3) = Number(after[i] - before[i]);
    }
    sheet.Block(2, 1, 7, 4)->SetValues(block);
    sheet.Columns(1)->SetFontBold(true);
}

} // namespace

std::unique_ptr<workbook::Workbook> ComparisonWorkbook(const model::BomModel& older,
                                                       const model::BomModel& newer,
                                                       const std::vector<model::BomChange>& changes,
                                                       excel::CellLimits limits, Fitted* fitted) {
    InMemoryWorkbook made(limits);
    excel::Workbook& book = made.Book();
    const auto changesSheet = book.Sheet(1);
    WriteHeadings(book, *changesSheet, kChangesSheet, kChangeHeadings);
    WriteChanges(*changesSheet, changes, limits, fitted);
    // Worksheets.Add puts the new sheet in front: the changes are moved to the front after.
    const auto totals = book.AddWorksheet();
    WriteHeadings(book, *totals, kTotalsComparedSheet, kTotalsHeadings);
    WriteTotals(*totals, older, newer);
    auto taken = made.Take();
    std::reverse(taken->sheets.begin(), taken->sheets.end());
    taken->activeSheet = 0;
    return taken;
}

} // namespace pw::batch
