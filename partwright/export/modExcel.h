#pragma once

#include "BomSheets.h"
#include "ExcelSession.h"
#include "ExportPorts.h"
#include "ExportState.h"
#include "partwright/excel/BlockWriter.h"
#include "partwright/excel/ExcelApi.h"
#include "partwright/macros/modWriteVBEtoExcel.h"
#include "partwright/model/BomModel.h"

#include <cstdint>
#include <memory>

namespace pw::excel {

// The level-column count the macro writer is to use: that of the last export, while no other
// assembly has been loaded since; otherwise the model's MaxIndent.
std::int16_t IndentColumnsForMacros(const ExportState& state, const model::BomModel& model);

// What the user is told when Excel refuses the workbook's macro project.
inline constexpr const char* kMacrosNotTrustedMessage =
    "The sheets were exported, but Excel did not let Partwright add the workbook's macros, so "
    "its buttons will not work.\r\n\r\n" PW_TRUST_ACCESS_STEPS "and export again.";

// Writes the model into a new Excel workbook: "Indented BOM", "Summary BOM" and
// "Summary-Totals", with their buttons and row check boxes, then the workbook macros. Each sheet
// is laid out by BomSheets and written through the session, whose rule says what a failing call
// costs.
class modExcel {
public:
    modExcel(model::BomModel& model, ExportState& state, ExportView& view, ExcelLauncher& launcher);

    ExportOutcome ExportToExcel();

private:
    enum class SheetKind { Indented, Summary, Totals };

    void Export(Workbook& book, ExcelSession& session);
    // The sheet a BOM sheet goes to and the row below what it already holds.
    void PrepareSheet(Workbook& book, SheetKind kind);
    void HeaderFurniture(Workbook& book, SheetKind kind);
    void RowScan();
    void IndentedSheet(Workbook& book);
    void LevelCheckboxes(std::int32_t top);
    void SummarySheet(Workbook& book);
    void TotalsSheet(Workbook& book);
    void WriteWorkbookMacros(Workbook& book);
    void WriteRows(const RowBlock& block, const char* sheet, std::int32_t done, std::int32_t total);
    Worksheet& Target() const;

    model::BomModel& model_;
    ExportState& state_;
    ExportView& view_;
    ExcelLauncher& launcher_;
    // Per run.
    struct Options {
        int check1 = 0;     // "Use Indented Columns"
        int build = 0;      // "Make Builder"
        int hyperlinks = 0; // "Add Hyperlinks"
    };
    Options options_;
    ExcelSession* session_ = nullptr;
    std::unique_ptr<BomSheets> layout_;
    std::shared_ptr<Worksheet> target_;
    std::unique_ptr<BlockWriter> writer_;
    std::int32_t row_ = 0; // the row the sheet's next rows go to
};

} // namespace pw::excel
