#include "ParentChildWorkbook.h"

#include "InMemoryWorkbook.h"
#include "partwright/export/CellText.h"
#include "partwright/model/BomRules.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace pw::batch {
namespace {

using excel::CellBlock;
using excel::FieldCell;
using excel::kRowsPerBlock;
using excel::TextCell;

constexpr ColumnHeading kColumns[] = {
    {"Parent Partnumber", 20}, {"Parent File", 26},   {"Component Partnumber", 22},
    {"Component File", 26},    {"Quantity", 9},       {"Description", 32},
    {"Material", 18},          {"BOM Structure", 14}, {"Level", 6},
};
constexpr std::size_t kStructureColumn = 7;

std::string FileNameOf(const model::clsFileData& record) {
    std::string folder;
    std::string name;
    excel::SplitRecordPath(record, folder, name);
    return name;
}

} // namespace

std::unique_ptr<workbook::Workbook> ParentChildWorkbook(const model::BomModel& model,
                                                        model::Counting counting, bool byPartNumber,
                                                        excel::CellLimits limits, Fitted* fitted) {
    const bool structure = counting == model::Counting::BomRules;
    std::vector<ColumnHeading> columns;
    for (std::size_t at = 0; at < std::size(kColumns); ++at) {
        if (structure || at != kStructureColumn) {
            columns.push_back(kColumns[at]);
        }
    }
    for (const model::PropertyRequest& extra : model.ExtraProperties) {
        columns.push_back({extra.name.c_str(), 16});
    }
    const auto width = static_cast<std::int32_t>(columns.size());

    InMemoryWorkbook made(limits);
    const auto sheet = made.Book().Sheet(1);
    WriteHeadings(made.Book(), *sheet, kParentChildSheet, columns);

    const std::vector<model::ParentChildLine> lines =
        byPartNumber ? model::MergedByPartNumber(model::ParentChildLines(model, counting))
                     : model::ParentChildLines(model, counting);
    const auto count = static_cast<std::int32_t>(lines.size());
    for (std::int32_t first = 0; first < count; first += kRowsPerBlock) {
        const std::int32_t rows = std::min(kRowsPerBlock, count - first);
        CellBlock block(rows, width);
        for (std::int32_t row = 0; row < rows; ++row) {
            const model::ParentChildLine& line = lines[static_cast<std::size_t>(first + row)];
            const model::clsFileData& component = *line.component;
            std::int32_t column = 0;
            const auto put = [&](const excel::CellValue& value) {
                block.At(row, column++) = value;
            };
            put(FieldCell(line.parent->Partnumber));
            put(TextCell(FileNameOf(*line.parent)));
            put(FieldCell(component.Partnumber));
            put(TextCell(FileNameOf(component)));
            put(line.quantity);
            put(TextCell(component.Description));
            put(TextCell(component.Material));
            if (structure) {
                put(TextCell(model::BomStructureText(component.BOMStructure)));
            }
            put(std::int32_t{line.level});
            for (std::size_t i = 0; i < model.ExtraProperties.size(); ++i) {
                put(i < component.Extra.size() ? FieldCell(component.Extra[i])
                                               : excel::CellValue{});
            }
        }
        WriteFittedBlock(*sheet, kParentChildSheet, first + 2, std::move(block), limits, fitted);
    }

    return made.Take();
}

} // namespace pw::batch
