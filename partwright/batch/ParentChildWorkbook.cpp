#include "ParentChildWorkbook.h"

#include "BatchSheets.h"
#include "partwright/export/BomSheets.h"
#include "partwright/export/CellText.h"
#include "partwright/export/QuantityCells.h"
#include "partwright/model/BomRules.h"
#include "partwright/model/PartNumberKey.h"
#include "partwright/model/VirtualKey.h"
#include "shared/core/CaseFold.h"

#include <algorithm>
#include <span>
#include <unordered_set>
#include <utility>
#include <vector>

namespace pw::batch {
namespace {

using excel::FieldCell;
using excel::TextCell;
using Lines = std::span<const model::ParentChildLine>;

constexpr ColumnHeading kColumns[] = {
    {"Parent Partnumber", 20}, {"Parent File", 26},   {"Component Partnumber", 22},
    {"Component File", 26},    {"Quantity", 9},       {"Description", 32},
    {"Material", 18},          {"BOM Structure", 14}, {"Level", 6},
};
constexpr std::size_t kStructureColumn = 7;

// What an importer keys a row's item on: the file's path below the top assembly's folder (two
// files of one name in two folders are two items), a virtual component's name and assembly, a
// missing component's name; a closed use of a file that is also used open, as its own item.
class ItemNames {
public:
    ItemNames(const model::BomModel& model, const std::vector<model::ParentChildLine>& lines)
        : topFolder_(model::TopFolder(model)) {
        for (const model::ParentChildLine& line : lines) {
            if (!line.componentClosed) {
                open_.insert(FoldCase(line.component->FileName));
            }
        }
    }

    std::string Of(const model::clsFileData& record, bool closed = false) const {
        if (record.Kind == model::ComponentKind::Missing) {
            return record.FileName;
        }
        if (record.Kind == model::ComponentKind::Virtual) {
            return model::VirtualNameOf(record.FileName) + " (virtual, in " +
                   model::PathBelow(model::VirtualAssemblyOf(record.FileName), topFolder_) + ")";
        }
        std::string name = model::PathBelow(record.FileName, topFolder_);
        if (closed && open_.contains(FoldCase(record.FileName))) {
            name += " (" + model::BomStructureText(record.BOMStructure) + ")";
        }
        return name;
    }

private:
    std::string topFolder_;
    std::unordered_set<std::string> open_; // folded names of files also used open
};

// A field of the line's component: where merged files disagree on it, "*Varies*".
excel::CellValue ComponentField(const model::ParentChildLine& line,
                                excel::CellValue (*field)(const model::clsFileData&)) {
    return model::Agreed(*line.component, line.components, field)
        .value_or(TextCell(model::kVaries));
}

} // namespace

std::unique_ptr<workbook::Workbook> ParentChildWorkbook(const model::BomModel& model,
                                                        model::Counting counting, bool byPartNumber,
                                                        excel::CellLimits limits, Fitted* fitted,
                                                        const workbook::FileImages* pictures) {
    const bool structure = counting == model::Counting::BomRules;
    std::vector<ColumnHeading> columns;
    for (std::size_t at = 0; at < std::size(kColumns); ++at) {
        if (structure || at != kStructureColumn) {
            columns.push_back(kColumns[at]);
        }
    }
    const bool quantities = excel::CountsInBaseQuantities(model);
    if (quantities) {
        for (const char* heading : excel::kQuantityHeaders) {
            columns.push_back({heading, 12});
        }
    }
    for (const model::PropertyRequest& extra : model.ExtraProperties) {
        columns.push_back({extra.name.c_str(), 16});
    }
    if (pictures) {
        columns.push_back({excel::kPictureHeader, workbook::kPictureColumnWidth});
    }
    const auto width = static_cast<std::int32_t>(columns.size());

    auto book = std::make_unique<workbook::Workbook>();
    workbook::Sheet& sheet = AddSheet(*book, kParentChildSheet);
    WriteHeadings(sheet, columns);
    if (pictures) {
        book->images = pictures->Images();
    }

    const std::vector<model::ParentChildLine> lines =
        byPartNumber ? model::MergedByPartNumber(model::ParentChildLines(model, counting))
                     : model::ParentChildLines(model, counting);
    const ItemNames names(model, lines);
    auto writer = WriterOf(sheet, limits, fitted, pictures);
    excel::InBlocks(Lines(lines), [&](std::int32_t first, Lines chunk) {
        excel::RowBlock block(first + 2, static_cast<std::int32_t>(chunk.size()), width);
        std::int32_t row = 0;
        for (const model::ParentChildLine& line : chunk) {
            const model::clsFileData& component = *line.component;
            std::int32_t column = 0;
            const auto put = [&](const excel::CellValue& value) {
                block.values.At(row, column++) = value;
            };
            put(FieldCell(line.parent->Partnumber));
            put(TextCell(names.Of(*line.parent)));
            put(FieldCell(component.Partnumber));
            put(TextCell(names.Of(component, line.componentClosed)));
            put(line.quantity);
            put(ComponentField(
                line, [](const model::clsFileData& r) { return TextCell(r.Description); }));
            put(ComponentField(line,
                               [](const model::clsFileData& r) { return TextCell(r.Material); }));
            if (structure) {
                put(ComponentField(line, [](const model::clsFileData& r) {
                    return TextCell(model::BomStructureText(r.BOMStructure));
                }));
            }
            put(std::int32_t{line.level});
            if (quantities) {
                const auto files =
                    line.components.empty()
                        ? std::span(&line.component, 1)
                        : std::span<const model::clsFileData* const>(line.components);
                for (const excel::CellValue& cell : excel::QuantityCells(files, line.quantity)) {
                    put(cell);
                }
            }
            for (std::size_t i = 0; i < model.ExtraProperties.size(); ++i) {
                put(i < component.Extra.size() ? FieldCell(component.Extra[i])
                                               : excel::CellValue{});
            }
            if (pictures) {
                block.pictures.push_back({block.top + row, width, excel::PictureFileOf(component)});
            }
            ++row;
        }
        writer.Write(block);
    });

    return book;
}

} // namespace pw::batch
