#include "ComparisonWorkbook.h"

#include "partwright/export/CellText.h"
#include "partwright/workbook/WorkbookApplication.h"
#include "shared/core/Checked.h"
#include "shared/core/Failure.h"

#include <algorithm>
#include <array>

namespace pw::batch {
namespace {

using excel::CellBlock;
using excel::CellValue;
using excel::FieldCell;
using excel::TextCell;

constexpr std::int32_t kRowsPerBlock = 1000;

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

// A sheet with a bold header row frozen below it and the columns' widths.
std::shared_ptr<excel::Worksheet>
HeadedSheet(excel::Workbook& book, std::shared_ptr<excel::Worksheet> sheet, const char* name,
            std::initializer_list<std::pair<const char*, double>> columns) {
    sheet->SetName(name);
    CellBlock header(1, static_cast<std::int32_t>(columns.size()));
    std::int32_t column = 0;
    for (const auto& [text, width] : columns) {
        header.At(0, column) = TextCell(text);
        sheet->Columns(++column)->SetColumnWidth(width);
    }
    sheet->Block(1, 1, 1, header.columns)->SetValues(header);
    sheet->Rows(1)->SetFontBold(true);
    sheet->Activate();
    sheet->Rows(2)->Select();
    book.FreezePanes();
    return sheet;
}

void WriteChanges(excel::Worksheet& sheet, const std::vector<model::BomChange>& changes) {
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
            excel::SplitPath(change.record->FileName, folder, name);
            const CellValue cells[kWidth] = {
                TextCell(change.what),
                TextCell(change.key),
                FieldCell(change.oldValue),
                FieldCell(change.newValue),
                change.difference ? Number(*change.difference) : CellValue{},
                TextCell(change.record->Description),
                TextCell(change.record->Material),
                TextCell(change.record->Kind == model::ComponentKind::Virtual ? std::string()
                                                                              : name)};
            for (std::int32_t column = 0; column < kWidth; ++column) {
                block.At(row, column) = cells[column];
            }
        }
        sheet.Block(first + 2, 1, first + 1 + rows, kWidth)->SetValues(block);
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

std::unique_ptr<workbook::Workbook>
ComparisonWorkbook(const model::BomModel& older, const model::BomModel& newer,
                   const std::vector<model::BomChange>& changes) {
    auto state = std::make_shared<workbook::ExcelState>();
    state->sheetsInNewWorkbook = 1;
    const auto app = workbook::MakeWorkbookApplication(state);
    const auto book = app->AddWorkbook();
    const auto changesSheet = HeadedSheet(*book, book->Sheet(1), kChangesSheet,
                                          {{"Change", 14},
                                           {"Key", 22},
                                           {"Old", 18},
                                           {"New", 18},
                                           {"Difference", 11},
                                           {"Description", 32},
                                           {"Material", 18},
                                           {"File", 26}});
    WriteChanges(*changesSheet, changes);
    // Worksheets.Add puts the new sheet in front: the changes are moved to the front after.
    const auto totals = HeadedSheet(*book, book->AddWorksheet(), kTotalsComparedSheet,
                                    {{"", 22}, {"Old", 12}, {"New", 12}, {"Difference", 12}});
    WriteTotals(*totals, older, newer);
    if (state->workbooks.empty()) {
        throw Failure(kEFail, "the workbook could not be made");
    }
    auto made = std::move(state->workbooks.front());
    std::reverse(made->sheets.begin(), made->sheets.end());
    made->activeSheet = 0;
    return made;
}

} // namespace pw::batch
