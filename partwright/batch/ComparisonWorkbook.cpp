#include "ComparisonWorkbook.h"

#include "BatchSheets.h"
#include "partwright/export/CellText.h"

#include <algorithm>
#include <array>
#include <utility>

namespace pw::batch {
namespace {

using excel::CellValue;
using excel::FieldCell;
using excel::TextCell;
using Changes = std::span<const model::BomChange>;

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

void WriteChanges(workbook::Sheet& sheet, const std::vector<model::BomChange>& changes,
                  excel::CellLimits limits, Fitted* fitted) {
    constexpr std::int32_t kWidth = 8;
    if (changes.empty()) {
        workbook::TypeInto(sheet, 2, 1, TextCell("No differences"), workbook::ThisYear());
        return;
    }
    auto writer = WriterOf(sheet, limits, fitted);
    excel::InBlocks(Changes(changes), [&](std::int32_t first, Changes chunk) {
        const auto rows = static_cast<std::int32_t>(chunk.size());
        excel::RowBlock block(first + 2, rows, kWidth);
        for (std::int32_t row = 0; row < rows; ++row) {
            const model::BomChange& change = chunk[static_cast<std::size_t>(row)];
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
                block.values.At(row, column) = cells[column];
            }
        }
        // One fill per run of rows of a kind.
        excel::AddRunFormats(
            block, rows,
            [&](std::int32_t row) { return chunk[static_cast<std::size_t>(row)].kind; },
            [](model::ChangeKind kind, excel::RowRunFormat& run) { run.fill = FillOf(kind); });
        writer.Write(block);
    });
}

void WriteTotals(workbook::Sheet& sheet, const model::BomModel& older,
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
    excel::RowBlock block(2, 6, 4);
    for (std::size_t i = 0; i < 6; ++i) {
        const auto row = static_cast<std::int32_t>(i);
        block.values.At(row, 0) = TextCell(labels[i]);
        block.values.At(row, 1) = Number(before[i]);
        block.values.At(row, 2) = Number(after[i]);
        block.values.At(row, 3) = Number(after[i] - before[i]);
    }
    WriterOf(sheet, excel::CellLimits::None, nullptr).Write(block);
    sheet.columns[1].format.bold = true;
}

} // namespace

std::unique_ptr<workbook::Workbook> ComparisonWorkbook(const model::BomModel& older,
                                                       const model::BomModel& newer,
                                                       const std::vector<model::BomChange>& changes,
                                                       excel::CellLimits limits, Fitted* fitted) {
    auto book = std::make_unique<workbook::Workbook>();
    workbook::Sheet& changesSheet = AddSheet(*book, kChangesSheet);
    WriteHeadings(changesSheet, kChangeHeadings);
    WriteChanges(changesSheet, changes, limits, fitted);
    workbook::Sheet& totals = AddSheet(*book, kTotalsComparedSheet);
    WriteHeadings(totals, kTotalsHeadings);
    WriteTotals(totals, older, newer);
    return book;
}

} // namespace pw::batch
