#pragma once

#include "partwright/excel/SheetBlocks.h"
#include "partwright/model/BomModel.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The export's three sheets as data: header rows, blocks of rows with their looks and links, and
// the totals, laid out from the model alone. Where they go, and what else goes there (buttons,
// check boxes, frozen panes), is for the writer.
namespace pw::excel {

// The export's sheets, in the workbook's tab order.
inline constexpr const char* kTotalsSheet = "Summary-Totals";
inline constexpr const char* kSummarySheet = "Summary BOM";
inline constexpr const char* kIndentedSheet = "Indented BOM";

// The height of a BOM sheet's header row, which the buttons sit in.
inline constexpr double kHeaderRowHeight = 26.5;

struct BomSheetOptions {
    bool levelColumns = false; // "Use Indented Columns": the part number under its level
    bool bomStructure = false; // Inventor's BOM structure after the sheets' own columns
    bool byPartNumber = false; // Summary BOM rows merged by part number, as Inventor merges them
    // Unit QTY, Total QTY and Unit on the Summary BOM, where any component is counted in a
    // length, an area, a volume or a mass.
    bool quantities = false;
    // A "Picture" column after all the others, with the picture of each row's file.
    bool pictures = false;
};

// The header of the column of pictures.
inline constexpr const char* kPictureHeader = "Picture";

// The file whose picture a record's row shows: its full name, or nothing for a component without
// a file of its own (virtual or missing).
std::string PictureFileOf(const model::clsFileData& record);

// A block of rows ready to write, with how many of the sheet's rows are laid out by then.
using BlockSink = std::function<void(const RowBlock& block, std::int32_t done, std::int32_t total)>;

class BomSheets {
public:
    BomSheets(const model::BomModel& model, BomSheetOptions options);

    // The level columns before the Indented BOM's own: the deepest level, or none.
    std::int16_t IndentColumns() const { return indentColumns_; }
    std::int16_t IndentedColumn(std::int16_t offset) const; // an Indented BOM column's place

    RowBlock IndentedHeader(std::int32_t row) const;
    // The Indented BOM's rows from `top` down; false when it has none.
    bool IndentedRows(std::int32_t top, bool hyperlinks, const BlockSink& write) const;
    // The text of each Indented row's level check box: "A", "P" or "V" and the row's depth.
    std::vector<std::string> LevelBoxTexts() const;

    RowBlock SummaryHeader(std::int32_t row) const;
    void SummaryRows(std::int32_t top, bool hyperlinks, const BlockSink& write) const;

    // "Summary Information for" the top assembly, in A1; nothing when no assembly is loaded.
    std::vector<RowBlock> TotalsTitle() const;
    // The six labelled totals from `top` down.
    RowBlock TotalsFigures(std::int32_t top) const;

private:
    using Records = std::span<const model::clsFileData* const>;
    std::int16_t IndentedWidth() const;
    std::int16_t SummaryWidth() const;
    std::int16_t ExtraCount() const;
    std::int16_t PictureColumns() const { return options_.pictures ? 1 : 0; }
    void AddPicture(const model::clsFileData& record, RowBlock& block, std::int32_t at,
                    std::int32_t column) const;
    std::int16_t QuantityColumn() const; // the first of the quantity columns
    void Rows(Records records, std::int32_t top, std::int32_t width, const BlockSink& write,
              const std::function<void(std::int32_t at, RowBlock& block)>& fill) const;
    void IndentedValues(const model::clsFileData& record, RowBlock& block, std::int32_t at,
                        bool hyperlinks) const;
    void SummaryValues(const model::clsFileData& record, RowBlock& block, std::int32_t at,
                       bool hyperlinks) const;
    void PartNumberSummaryRows(std::int32_t top, bool hyperlinks, const BlockSink& write) const;
    void MarkVarying(Records records, CellBlock& block, std::int32_t at) const;
    void FileValues(const model::clsFileData& record, RowBlock& block, std::int32_t at,
                    std::int32_t folderColumn, bool hyperlinks) const;
    void QuantityValues(Records records, std::int64_t items, CellBlock& block,
                        std::int32_t at) const;
    // The further properties' headers or values in the columns that end at `lastColumn`.
    void ExtraHeaders(CellBlock& block, std::int32_t lastColumn) const;
    void ExtraValues(const model::clsFileData& record, CellBlock& block, std::int32_t at,
                     std::int32_t lastColumn) const;

    const model::BomModel& model_;
    BomSheetOptions options_;
    std::int16_t indentColumns_;
};

} // namespace pw::excel
