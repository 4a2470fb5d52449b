#include "ParentChildWorkbook.h"

#include "partwright/export/CellText.h"
#include "partwright/workbook/WorkbookApplication.h"
#include "shared/core/Failure.h"

#include <algorithm>
#include <vector>

namespace pw::batch {
namespace {

using excel::CellBlock;
using excel::FieldCell;
using excel::TextCell;

constexpr std::int32_t kRowsPerBlock = 1000;

struct Column {
    const char* header;
    double width;
};

constexpr Column kColumns[] = {
    {"Parent Partnumber", 20}, {"Parent File", 26},   {"Component Partnumber", 22},
    {"Component File", 26},    {"Quantity", 9},       {"Description", 32},
    {"Material", 18},          {"BOM Structure", 14}, {"Level", 6},
};
constexpr std::size_t kStructureColumn = 7;

std::string FileNameOf(const model::clsFileData& record) {
    if (record.Kind == model::ComponentKind::Virtual) { // it has no file
        return {};
    }
    std::string folder;
    std::string name;
    excel::SplitPath(record.FileName, folder, name);
    return name;
}

} // namespace

std::unique_ptr<workbook::Workbook>
ParentChildWorkbook(const model::BomModel& model, model::Counting counting, bool byPartNumber) {
    const bool structure = counting == model::Counting::BomRules;
    std::vector<Column> columns;
    for (std::size_t at = 0; at < std::size(kColumns); ++at) {
        if (structure || at != kStructureColumn) {
            columns.push_back(kColumns[at]);
        }
    }
    for (const model::PropertyRequest& extra : model.ExtraProperties) {
        columns.push_back({extra.name.c_str(), 16});
    }
    const auto width = static_cast<std::int32_t>(columns.size());

    auto state = std::make_shared<workbook::ExcelState>();
    state->sheetsInNewWorkbook = 1;
    const auto app = workbook::MakeWorkbookApplication(state);
    const auto book = app->AddWorkbook();
    const auto sheet = book->Sheet(1);
    sheet->SetName(kParentChildSheet);

    CellBlock header(1, width);
    for (std::int32_t column = 0; column < width; ++column) {
        header.At(0, column) = TextCell(columns[static_cast<std::size_t>(column)].header);
        sheet->Columns(column + 1)->SetColumnWidth(columns[static_cast<std::size_t>(column)].width);
    }
    sheet->Block(1, 1, 1, width)->SetValues(header);
    sheet->Rows(1)->SetFontBold(true);

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
                put(TextCell(excel::BomStructureText(component.BOMStructure)));
            }
            put(std::int32_t{line.level});
            for (std::size_t i = 0; i < model.ExtraProperties.size(); ++i) {
                put(i < component.Extra.size() ? FieldCell(component.Extra[i])
                                               : excel::CellValue{});
            }
        }
        sheet->Block(first + 2, 1, first + 1 + rows, width)->SetValues(block);
    }

    sheet->Activate();
    sheet->Rows(2)->Select();
    book->FreezePanes();
    if (state->workbooks.empty()) {
        throw Failure(kEFail, "the workbook could not be made");
    }
    return std::move(state->workbooks.front());
}

} // namespace pw::batch
