#pragma once

#include "ExportPorts.h"
#include "ExportState.h"
#include "SheetControls.h"
#include "partwright/excel/CellLimits.h"
#include "partwright/excel/ExcelApi.h"
#include "partwright/macros/modWriteVBEtoExcel.h"
#include "partwright/model/BomModel.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pw::excel {

// The level-column count the macro writer is to use: that of the last export, while no other
// assembly has been loaded since; otherwise the model's MaxIndent.
std::int16_t IndentColumnsForMacros(const ExportState& state, const model::BomModel& model);

// The export's sheets, in the workbook's tab order.
inline constexpr const char* kTotalsSheet = "Summary-Totals";
inline constexpr const char* kSummarySheet = "Summary BOM";
inline constexpr const char* kIndentedSheet = "Indented BOM";

// What the workbook takes besides its cells: Excel's own workbook takes the buttons, the row
// check boxes and the macros; a workbook that is written as a file without Excel takes none, as
// an .xlsx file cannot run them.
enum class WorkbookKind { WithMacros, CellsOnly };

// Columns beyond the window's: Inventor's BOM structure of each row at the end of both BOM
// sheets.
enum class BomStructureColumn { Without, With };

// The Summary BOM's rows: one per file, as the window shows them, or merged by part number as
// Inventor's BOM merges them (fields the files disagree on show "*Varies*").
enum class SummaryRowsBy { File, PartNumber };

// The Summary BOM's quantity in a base unit (Unit QTY, Total QTY, Unit) after its own columns,
// where any component is counted in a length, an area, a volume or a mass.
enum class QuantityColumns { Without, WhereCounted };

// What the user is told when Excel refuses the workbook's macro project.
inline constexpr const char* kMacrosNotTrustedMessage =
    "The sheets were exported, but Excel did not let Partwright add the workbook's macros, so "
    "its buttons will not work.\r\n\r\n" PW_TRUST_ACCESS_STEPS "and export again.";

// Writes the model into a new Excel workbook: "Indented BOM", "Summary BOM" and
// "Summary-Totals", then the workbook macros. A failing Excel call abandons its own step only,
// and the final status says how many failed; Excel that cannot be reached at all, goes away or
// stays busy ends the run at once with a status text.
class modExcel {
public:
    modExcel(model::BomModel& model, ExportState& state, ExportView& view, ExcelLauncher& launcher,
             WorkbookKind kind = WorkbookKind::WithMacros,
             BomStructureColumn structure = BomStructureColumn::Without,
             SummaryRowsBy summaryRows = SummaryRowsBy::File, CellLimits limits = CellLimits::Excel,
             QuantityColumns quantities = QuantityColumns::Without);

    ExportOutcome ExportToExcel();

private:
    enum class SheetKind { Indented, Summary, Totals };

    // What becomes of a step's failure: counted, tried again by the caller, or said by the
    // caller in a status of its own.
    enum class StepFailure { Counted, TriedAgain, Said };
    template <class StepFn>
    ResultCode ExportStep(StepFn&& step, StepFailure failure = StepFailure::Counted);
    // A failure the export absorbed: counted, and the first one kept as the reason.
    void CountFailure(const std::string& reason);
    // A limit of Excel's met and kept to: counted apart from failures.
    void CountFitted(const std::string& reason);
    // The export's own status text, which a wait for a busy Excel shows over only for a while.
    void Status(const std::string& text);
    void Stopped(const std::string& status);
    void Run();
    void WriteWorkbookMacros();
    void PrepareSheet(SheetKind kind);
    void HeaderFurniture(SheetKind kind);
    void RowScan();
    // A hyperlink to add once its block's values are written: offset is the row in the block.
    struct PendingLink {
        std::int32_t offset;
        std::string address;
        std::string name;
    };

    // How a row looks: filled for an assembly; a font for no or a missing part number.
    enum class FontLook { Plain, NoPartNumber, Missing };
    struct RowLook {
        bool assembly = false;
        FontLook font = FontLook::Plain;
    };

    // One block of rows on its way to Excel: from row `first`, their values, looks and the
    // hyperlinks to add after the values.
    struct BlockRows {
        BlockRows(std::int32_t firstRow, std::int32_t rowCount, std::int32_t columnCount)
            : first(firstRow), values(rowCount, columnCount) {}
        std::int32_t first;
        CellBlock values;
        std::vector<RowLook> looks;
        std::vector<PendingLink> links;
    };

    void IndentedHeader(std::int32_t row);
    void IndentedRows();
    void LevelCheckboxes();
    void IndentedValues(const model::clsFileData& record, CellBlock& block, std::int32_t at,
                        std::vector<PendingLink>& links);
    void SummaryHeader(std::int32_t row);
    void SummaryRows();
    void PartNumberSummaryRows();
    void MarkVarying(const std::vector<const model::clsFileData*>& records, CellBlock& block,
                     std::int32_t at);
    void SummaryValues(const model::clsFileData& record, CellBlock& block, std::int32_t at,
                       std::vector<PendingLink>& links);
    static RowLook LookOf(const model::clsFileData& record);
    void ApplyLooks(std::int32_t first, const std::vector<RowLook>& looks);
    void FileValues(const model::clsFileData& record, CellBlock& block, std::int32_t at,
                    std::int32_t folderColumn, std::vector<PendingLink>& links);
    template <class Keep, class Write> void InBlocks(Keep keep, Write write);
    void FlushBlock(const BlockRows& rows, std::int32_t linkColumn, const char* sheet,
                    std::int32_t done);
    void WriteBlock(std::int32_t first, const CellBlock& block);
    void AddLinks(std::int32_t first, std::int32_t column, const std::vector<PendingLink>& links);
    void ShowProgress(const char* sheet, std::int32_t done, std::int32_t total);
    void Totals();
    void WriteCell(std::int32_t row, std::int32_t column, const CellValue& value);
    std::int16_t Column(std::int16_t offset) const;
    std::int16_t IndentedWidth() const;
    std::int16_t SummaryWidth() const;
    std::int16_t ExtraCount() const;
    std::int16_t QuantityColumn() const; // the first of the quantity columns
    void QuantityValues(std::span<const model::clsFileData* const> records, std::int64_t items,
                        CellBlock& block, std::int32_t at) const;
    void ExtraHeaders(CellBlock& block) const;
    void ExtraValues(const model::clsFileData& record, CellBlock& block, std::int32_t at) const;
    Worksheet& Target() const;
    Workbook& Book() const;

    model::BomModel& model_;
    ExportState& state_;
    ExportView& view_;
    ExcelLauncher& launcher_;
    const bool controls_;        // buttons, check boxes and macros
    const bool structureColumn_; // the BOM Structure column
    const bool byPartNumber_;    // Summary BOM rows merged by part number
    const bool excelLimits_;     // a cell's characters and a sheet's hyperlinks are limited
    const bool quantityColumns_; // Unit QTY, Total QTY and Unit on the Summary BOM
    // Per run.
    struct Options {
        int check1 = 0;     // "Use Indented Columns"
        int build = 0;      // "Make Builder"
        int hyperlinks = 0; // "Add Hyperlinks"
    };
    Options options_;
    std::shared_ptr<Application> app_;
    std::shared_ptr<Workbook> book_; // the workbook this export made
    std::shared_ptr<Worksheet> target_;
    std::size_t linksOnTarget_ = 0;
    ExportOutcome outcome_;
    std::string lastStepFailure_; // the text of the step that failed last
    std::string shownStatus_;     // the export's last status text
    bool waitShown_ = false;      // a wait for a busy Excel is shown over it
    std::int16_t indentColumns_ = 0;
    std::int16_t savedMaxIndent_ = 0;
    std::chrono::steady_clock::time_point lastProgress_{};
};

} // namespace pw::excel
