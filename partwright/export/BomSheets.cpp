#include "BomSheets.h"

#include "CellText.h"
#include "PartNumberRows.h"
#include "QuantityCells.h"
#include "partwright/excel/BomColumns.h"
#include "partwright/model/BomRules.h"
#include "shared/core/Checked.h"
#include "shared/core/NumberText.h"
#include "shared/core/Step.h"

#include <iterator>
#include <optional>
#include <utility>

namespace pw::excel {
namespace {

constexpr std::int32_t kAssemblyFill = 34;
constexpr std::int32_t kNoPartNumberFont = 5;
constexpr std::int32_t kMissingFont = 3;

// How a row's font looks: plain, or marked for no or a missing part number.
enum class FontLook { Plain, NoPartNumber, Missing };

FontLook FontOf(const model::clsFileData& record) {
    const std::string text = ValueText(record.Partnumber);
    return text.empty()          ? FontLook::NoPartNumber
           : text.front() == '<' ? FontLook::Missing
                                 : FontLook::Plain;
}

// Fill for assembly rows, then font for rows without or with a missing part number, each set
// once per run of rows that share it.
void AddLooks(RowBlock& block, std::span<const model::clsFileData* const> records) {
    const auto count = static_cast<std::int32_t>(records.size());
    const auto record = [&](std::int32_t i) -> const model::clsFileData& {
        return *records[static_cast<std::size_t>(i)];
    };
    AddRunFormats(
        block, count, [&](std::int32_t i) { return IsAssemblyRecord(record(i)); },
        [](bool assembly, RowRunFormat& run) {
            if (assembly) {
                run.fill = kAssemblyFill;
            }
        });
    AddRunFormats(
        block, count, [&](std::int32_t i) { return FontOf(record(i)); },
        [](FontLook font, RowRunFormat& run) {
            if (font == FontLook::NoPartNumber) {
                run.fontColor = kNoPartNumberFont;
                run.bold = true;
            } else if (font == FontLook::Missing) {
                run.fontColor = kMissingFont;
            }
        });
}

CellValue FolderCell(const model::clsFileData& record) {
    std::string folder;
    std::string name;
    SplitPath(record.FileName, folder, name);
    return TextCell(folder);
}

} // namespace

std::string PictureFileOf(const model::clsFileData& record) {
    const bool ownFile = record.Kind != model::ComponentKind::Virtual &&
                         record.Kind != model::ComponentKind::Missing;
    return ownFile ? record.FileName : std::string();
}

BomSheets::BomSheets(const model::BomModel& model, BomSheetOptions options)
    : model_(model), options_(options),
      indentColumns_(options.levelColumns ? model.Counts.MaxIndent : std::int16_t{0}) {
    options_.quantities = options.quantities && CountsInBaseQuantities(model);
}

std::int16_t BomSheets::IndentedColumn(std::int16_t offset) const {
    return checked::Add(indentColumns_, offset);
}

// The sheets' widths: their own columns, the BOM Structure column when asked for, then one
// column per further property.
std::int16_t BomSheets::IndentedWidth() const {
    return checked::Add(
        IndentedColumn(options_.bomStructure ? indented::kBomStructure : indented::kCount),
        ExtraCount());
}

std::int16_t BomSheets::SummaryWidth() const {
    const std::int16_t own = checked::Sub<std::int16_t>(QuantityColumn(), 1);
    return checked::Add(own, checked::Add<std::int16_t>(
                                 ExtraCount(), options_.quantities ? kQuantityColumnCount : 0));
}

std::int16_t BomSheets::QuantityColumn() const {
    return checked::Add<std::int16_t>(
        options_.bomStructure ? summary::kBomStructure : summary::kCount, 1);
}

std::int16_t BomSheets::ExtraCount() const {
    return checked::Narrow<std::int16_t>(model_.ExtraProperties.size());
}

void BomSheets::AddPicture(const model::clsFileData& record, RowBlock& block, std::int32_t at,
                           std::int32_t column) const {
    if (options_.pictures) {
        block.pictures.push_back({block.top + at, column, PictureFileOf(record)});
    }
}

void BomSheets::QuantityValues(Records records, std::int64_t items, CellBlock& block,
                               std::int32_t at) const {
    if (!options_.quantities) {
        return;
    }
    const QuantityCellRow cells = QuantityCells(records, items);
    for (std::int32_t i = 0; i < kQuantityColumnCount; ++i) {
        block.At(at, QuantityColumn() - 1 + i) = cells[static_cast<std::size_t>(i)];
    }
}

void BomSheets::ExtraHeaders(CellBlock& block, std::int32_t lastColumn) const {
    const std::int32_t first = lastColumn - ExtraCount();
    for (std::int16_t i = 0; i < ExtraCount(); ++i) {
        block.At(0, first + i) = TextCell(model_.ExtraProperties[static_cast<std::size_t>(i)].name);
    }
}

void BomSheets::ExtraValues(const model::clsFileData& record, CellBlock& block, std::int32_t at,
                            std::int32_t lastColumn) const {
    const std::int32_t first = lastColumn - ExtraCount();
    for (std::size_t i = 0; i < record.Extra.size() && i < model_.ExtraProperties.size(); ++i) {
        block.At(at, first + static_cast<std::int32_t>(i)) = FieldCell(record.Extra[i]);
    }
}

RowBlock BomSheets::IndentedHeader(std::int32_t row) const {
    const auto headers = static_cast<std::int16_t>(std::size(indented::kHeaders));
    // The matrix column has no header: the header row ends at the file name without it.
    RowBlock block(row, 1,
                   options_.pictures                           ? IndentedWidth() + 1
                   : options_.bomStructure || ExtraCount() > 0 ? IndentedWidth()
                                                               : IndentedColumn(headers));
    CellBlock& cells = block.values;
    for (std::int16_t offset = 1; offset <= headers; ++offset) {
        cells.At(0, IndentedColumn(offset) - 1) = TextCell(indented::kHeaders[offset - 1]);
    }
    if (options_.bomStructure) {
        cells.At(0, IndentedColumn(indented::kBomStructure) - 1) = TextCell(kBomStructureHeader);
    }
    for (std::int16_t level = 1; level <= indentColumns_; ++level) {
        cells.At(0, level - 1) = TextCell("Level" + IntegerText(level));
    }
    ExtraHeaders(cells, IndentedWidth());
    if (options_.pictures) {
        cells.At(0, IndentedWidth()) = TextCell(kPictureHeader);
    }
    return block;
}

RowBlock BomSheets::SummaryHeader(std::int32_t row) const {
    RowBlock block(row, 1, SummaryWidth() + PictureColumns());
    CellBlock& cells = block.values;
    for (std::int32_t column = 0; column < summary::kCount; ++column) {
        cells.At(0, column) = TextCell(summary::kHeaders[column]);
    }
    if (options_.bomStructure) {
        cells.At(0, summary::kBomStructure - 1) = TextCell(kBomStructureHeader);
    }
    if (options_.quantities) {
        for (std::int32_t i = 0; i < kQuantityColumnCount; ++i) {
            cells.At(0, QuantityColumn() - 1 + i) = TextCell(kQuantityHeaders[i]);
        }
    }
    ExtraHeaders(cells, SummaryWidth());
    if (options_.pictures) {
        cells.At(0, SummaryWidth()) = TextCell(kPictureHeader);
    }
    return block;
}

// The records' rows from `top` down, a block at a time: `fill` writes the row at a place of the
// block, and the rows' looks follow their records.
void BomSheets::Rows(Records records, std::int32_t top, std::int32_t width, const BlockSink& write,
                     const std::function<void(std::int32_t at, RowBlock& block)>& fill) const {
    const auto total = static_cast<std::int32_t>(records.size());
    InBlocks(records, [&](std::int32_t first, Records chunk) {
        const auto size = static_cast<std::int32_t>(chunk.size());
        RowBlock block(checked::Add(top, first), size, width);
        AddLooks(block, chunk);
        for (std::int32_t i = 0; i < size; ++i) {
            fill(first + i, block);
        }
        write(block, first + size, total);
    });
}

bool BomSheets::IndentedRows(std::int32_t top, bool hyperlinks, const BlockSink& write) const {
    std::vector<const model::clsFileData*> rows;
    for (const auto& record : model_.FileData) {
        if (Exported(*record)) {
            rows.push_back(record.get());
        }
    }
    Rows(rows, top, IndentedWidth() + PictureColumns(), write,
         [&](std::int32_t index, RowBlock& block) {
             const std::int32_t at = index % kRowsPerBlock;
             IndentedValues(*rows[static_cast<std::size_t>(index)], block, at, hyperlinks);
         });
    return !rows.empty();
}

std::vector<std::string> BomSheets::LevelBoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& record : model_.FileData) {
        if (!Exported(*record)) {
            continue;
        }
        // "Build Assembly" places the "P" rows; a virtual component has no file to place.
        const char* const kind = record->Kind == model::ComponentKind::Virtual ? "V"
                                 : IsAssemblyRecord(*record)                   ? "A"
                                                                               : "P";
        texts.push_back(kind + IntegerText(record->Depth));
    }
    return texts;
}

// Each value is its own step: one that cannot be made leaves its cell blank and is told.
void BomSheets::IndentedValues(const model::clsFileData& record, RowBlock& block, std::int32_t at,
                               bool hyperlinks) const {
    const auto put = [&](std::int32_t column, const auto& make, const char* what = "a value") {
        std::string why;
        if (RunStep([&] { block.values.At(at, checked::Add<std::int32_t>(column, -1)) = make(); },
                    why) != kOk) {
            block.failures.push_back(std::string(what) + " of row " + IntegerText(block.top + at) +
                                     " of " + kIndentedSheet + ": " + why);
        }
    };
    if (options_.levelColumns && record.Depth >= 1 && record.Depth <= indentColumns_) {
        put(record.Depth, [&] { return FieldCell(record.Partnumber); });
    }
    using namespace indented;
    const auto column = [&](std::int16_t offset) { return IndentedColumn(offset); };
    put(column(kLevel), [&] { return CellValue{std::int32_t{record.Depth}}; });
    put(column(kPartnumber), [&] { return FieldCell(record.Partnumber); });
    put(column(kRevision), [&] { return FieldCell(record.Revision); });
    put(column(kDescription), [&] { return TextCell(record.Description); });
    put(column(kAuthor), [&] { return TextCell(record.Author); });
    put(column(kDesigner), [&] { return TextCell(record.Designer); });
    put(column(kCost), [&] { return FieldCell(record.Cost); });
    put(column(kStatus), [&] { return TextCell(StatusText(record.Status)); });
    put(column(kMaterial), [&] { return TextCell(record.Material); });
    put(column(kWeight), [&] { return FieldCell(record.Weight); });
    FileValues(record, block, at, column(kPath), hyperlinks);
    put(
        column(kMatrix), [&] { return TextCell(MatrixText(record.TransMat.get())); },
        "the placement");
    if (options_.bomStructure) {
        put(column(kBomStructure),
            [&] { return TextCell(model::BomStructureText(record.BOMStructure)); });
    }
    ExtraValues(record, block.values, at, IndentedWidth());
    AddPicture(record, block, at, IndentedWidth() + 1);
}

void BomSheets::SummaryRows(std::int32_t top, bool hyperlinks, const BlockSink& write) const {
    if (options_.byPartNumber) {
        PartNumberSummaryRows(top, hyperlinks, write);
        return;
    }
    std::vector<const model::clsFileData*> rows;
    for (const auto& record : model_.FileData) {
        if (record->Quantity >= 1) {
            rows.push_back(record.get());
        }
    }
    Rows(rows, top, SummaryWidth() + PictureColumns(), write,
         [&](std::int32_t index, RowBlock& block) {
             SummaryValues(*rows[static_cast<std::size_t>(index)], block, index % kRowsPerBlock,
                           hyperlinks);
         });
}

void BomSheets::SummaryValues(const model::clsFileData& record, RowBlock& block, std::int32_t at,
                              bool hyperlinks) const {
    using namespace summary;
    const auto put = [&](std::int32_t column, const CellValue& value) {
        block.values.At(at, column - 1) = value;
    };
    if (const auto entry = model_.Dupes.Find(record.FileName)) {
        put(kQuantity, std::int32_t{entry->Quantity});
        const model::clsFileData* const one = &record;
        QuantityValues(std::span(&one, 1), entry->Quantity, block.values, at);
    }
    put(kPartnumber, FieldCell(record.Partnumber));
    put(kRevision, FieldCell(record.Revision));
    put(kDescription, TextCell(record.Description));
    put(kAuthor, TextCell(record.Author));
    put(kDesigner, TextCell(record.Designer));
    put(kCost, FieldCell(record.Cost));
    put(kStatus, TextCell(StatusText(record.Status)));
    put(kMaterial, TextCell(record.Material));
    FileValues(record, block, at, kPath, hyperlinks);
    if (options_.bomStructure) {
        put(kBomStructure, TextCell(model::BomStructureText(record.BOMStructure)));
    }
    ExtraValues(record, block.values, at, SummaryWidth());
    AddPicture(record, block, at, SummaryWidth() + 1);
}

// One row per part number: the first file's fields where all its files agree, "*Varies*" where
// they do not, and the count of files in the file-name column, linked to the first.
void BomSheets::PartNumberSummaryRows(std::int32_t top, bool hyperlinks,
                                      const BlockSink& write) const {
    const std::vector<PartNumberRow> merged = PartNumberRows(model_);
    std::vector<const model::clsFileData*> leads;
    for (const PartNumberRow& row : merged) {
        leads.push_back(row.records.front());
    }
    Rows(leads, top, SummaryWidth() + PictureColumns(), write,
         [&](std::int32_t index, RowBlock& block) {
             const PartNumberRow& row = merged[static_cast<std::size_t>(index)];
             const std::int32_t at = index % kRowsPerBlock;
             SummaryValues(*row.records.front(), block, at, hyperlinks);
             if (row.quantity) {
                 block.values.At(at, summary::kQuantity - 1) = *row.quantity;
                 QuantityValues(row.records, *row.quantity, block.values, at);
             }
             if (row.records.size() > 1) {
                 MarkVarying(row.records, block.values, at);
                 const std::string files =
                     CountedText(static_cast<std::int64_t>(row.records.size()), "file", "files");
                 block.values.At(at, summary::kFilename - 1) = TextCell(files);
                 if (!block.links.empty() && block.links.back().row == block.top + at) {
                     block.links.back().text = files;
                 }
             }
         });
}

// "*Varies*" in each field of a merged row on which its files disagree.
void BomSheets::MarkVarying(Records records, CellBlock& block, std::int32_t at) const {
    using namespace summary;
    using Field = CellValue (*)(const model::clsFileData&);
    const std::pair<std::int16_t, Field> fields[] = {
        {kRevision, [](const model::clsFileData& r) { return FieldCell(r.Revision); }},
        {kDescription, [](const model::clsFileData& r) { return TextCell(r.Description); }},
        {kAuthor, [](const model::clsFileData& r) { return TextCell(r.Author); }},
        {kDesigner, [](const model::clsFileData& r) { return TextCell(r.Designer); }},
        {kCost, [](const model::clsFileData& r) { return FieldCell(r.Cost); }},
        {kStatus, [](const model::clsFileData& r) { return TextCell(StatusText(r.Status)); }},
        {kMaterial, [](const model::clsFileData& r) { return TextCell(r.Material); }},
        {kPath, FolderCell},
        {kBomStructure,
         [](const model::clsFileData& r) {
             return TextCell(model::BomStructureText(r.BOMStructure));
         }},
    };
    for (const auto& [column, field] : fields) {
        if (column == kBomStructure && !options_.bomStructure) {
            continue;
        }
        if (!model::Agreed(*records.front(), records.subspan(1), field)) {
            block.At(at, column - 1) = TextCell(kVaries);
        }
    }
    const std::int32_t firstExtra = SummaryWidth() - ExtraCount();
    for (std::size_t i = 0; i < model_.ExtraProperties.size(); ++i) {
        const auto extra = [i](const model::clsFileData& record) {
            return i < record.Extra.size() ? record.Extra[i] : Value{};
        };
        if (!model::Agreed(*records.front(), records.subspan(1), extra)) {
            block.At(at, firstExtra + static_cast<std::int32_t>(i)) = TextCell(kVaries);
        }
    }
}

// The folder in folderColumn and the file name in the column after it; with hyperlinks, a
// hyperlink is laid over the name once the block's values are in, so that a link Excel refuses
// loses only the link.
void BomSheets::FileValues(const model::clsFileData& record, RowBlock& block, std::int32_t at,
                           std::int32_t folderColumn, bool hyperlinks) const {
    std::string folder;
    std::string name;
    SplitRecordPath(record, folder, name);
    block.values.At(at, folderColumn - 1) = TextCell(folder);
    block.values.At(at, folderColumn) = TextCell(name);
    if (hyperlinks && !name.empty()) {
        block.links.push_back(
            {block.top + at, folderColumn + 1, FileLinkAddress(folder + name), name});
    }
}

std::vector<RowBlock> BomSheets::TotalsTitle() const {
    std::vector<RowBlock> title;
    if (const auto top = model_.FileData.Item(1)) {
        title.emplace_back(1, 1, 1).values.At(0, 0) =
            TextCell("Summary Information for " + top->FileName);
    }
    return title;
}

RowBlock BomSheets::TotalsFigures(std::int32_t top) const {
    const model::Tallies& counts = model_.Counts;
    const char* const labels[] = {
        "Max Indenting: ", "Total Files: ",        "Total Assemblies: ",
        "Total Parts: ",   "Total Parts+Ass'ys: ", "Missing Components: "};
    RowBlock block(top, 6, 2);
    CellBlock& cells = block.values;
    for (std::int32_t i = 0; i < 6; ++i) {
        cells.At(i, 0) = TextCell(labels[i]);
    }
    cells.At(0, 1) = std::int32_t{counts.MaxIndent};
    cells.At(1, 1) = model_.Dupes.Count();
    cells.At(2, 1) = counts.AssyCount;
    cells.At(3, 1) = counts.PartCount;
    // Beyond 32 bits the sum is still a number Excel holds exactly.
    const std::int64_t total = std::int64_t{counts.PartCount} + counts.AssyCount;
    cells.At(4, 1) = total == static_cast<std::int32_t>(total)
                         ? CellValue{static_cast<std::int32_t>(total)}
                         : CellValue{static_cast<double>(total)};
    cells.At(5, 1) = counts.MissingCount;
    return block;
}

} // namespace pw::excel
