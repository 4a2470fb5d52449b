#include "modExcel.h"

#include "ExcelSheetWriter.h"
#include "SheetControls.h"
#include "partwright/excel/BomColumns.h"
#include "partwright/macros/modWriteVBEtoExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "shared/core/Checked.h"

#include <optional>

namespace pw::excel {
namespace {

// The row a sheet's header goes to in a new sheet: the totals leave row 1 for their title.
constexpr std::int32_t kHeaderRow[] = {1, 1, 2};
const char* const kSheetNames[] = {kIndentedSheet, kSummarySheet, kTotalsSheet};

bool IsEmptyCell(const CellValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return IsEmpty(value) || (text && text->empty());
}

} // namespace

std::int16_t IndentColumnsForMacros(const ExportState& state, const model::BomModel& model) {
    if (state.IndentColumns && state.IndentColumnsLoad == model.LoadNumber) {
        return *state.IndentColumns;
    }
    return model.Counts.MaxIndent;
}

modExcel::modExcel(model::BomModel& model, ExportState& state, ExportView& view,
                   ExcelLauncher& launcher)
    : model_(model), state_(state), view_(view), launcher_(launcher) {}

ExportOutcome modExcel::ExportToExcel() {
    ExcelSession session(launcher_, view_);
    const ExportOutcome outcome = session.Run([&](Workbook& book) { Export(book, session); });
    writer_.reset();
    target_.reset();
    layout_.reset();
    session_ = nullptr;
    return outcome;
}

void modExcel::Export(Workbook& book, ExcelSession& session) {
    session_ = &session;
    // The options are read once: nothing can change them while the rows are written, and a
    // read per row is a round trip to the window per row.
    options_ = {view_.Check1Value(), view_.chkBuildValue(), view_.chkSetHyperlinksValue()};
    layout_ = std::make_unique<BomSheets>(model_, BomSheetOptions{options_.check1 != 0});
    IndentedSheet(book);
    SummarySheet(book);
    TotalsSheet(book);
    WriteWorkbookMacros(book);
}

Worksheet& modExcel::Target() const {
    return HeldSheet(target_.get());
}

void modExcel::PrepareSheet(Workbook& book, SheetKind kind) {
    const char* const name = kSheetNames[static_cast<int>(kind)];
    // The previous sheet is no target of this one: a sheet that cannot be had gets nothing
    // written, rather than its name and rows landing on the sheet before.
    target_.reset();
    row_ = kHeaderRow[static_cast<int>(kind)];
    if (kind == SheetKind::Indented) {
        // The new workbook's first sheet, whatever Excel's language names it, takes the BOM,
        // below anything it holds.
        session_->Step([&] { target_ = book.Sheet(1); });
        session_->Step([&] { Target().SetName(name); });
        session_->Step([&] {
            const std::int32_t last = Target().Cells(1, 1)->SpecialCells(kLastCell)->Row();
            row_ = IsEmptyCell(Target().Cells(last, 2)->Value()) ? last : last + 1;
        });
    } else {
        session_->Step([&] { target_ = book.AddWorksheet(); });
        if (target_) {
            session_->Step([&] { Target().SetName(name); });
        }
    }
    writer_ = std::make_unique<ExcelSheetWriter>(*session_, target_.get(), name);
}

void modExcel::HeaderFurniture(Workbook& book, SheetKind kind) {
    const bool indented = kind == SheetKind::Indented;
    session_->Step([&] { Target().Rows(row_)->SetRowHeight(kHeaderRowHeight); });
    session_->Step([&] { AddMacroButton(Target(), 0, 100, "Preview Image", "PreviewImage"); });
    if (indented && options_.build == 1) {
        session_->Step(
            [&] { AddMacroButton(Target(), 120, 96, "Build Assembly", "AddPartToAssy"); });
    }
    const std::int32_t row = row_;
    session_->Step([&] { Target().Rows(row)->SetFontBold(true); });
    // Panes are frozen at a selection, which only the active sheet has: the export's sheet is
    // activated just before. A user who activates another workbook in between fails the
    // selection, and the step is tried once more.
    session_->StepTwice([&] {
        Target().Activate();
        if (indented) {
            Target().Cells(row + 1, 2)->Select();
        } else {
            Target().Rows(row + 1)->Select();
        }
        book.FreezePanes();
    });
    if (indented) {
        session_->Status("Sending Indented BOM to Excel, Please Wait...");
        view_.DoEvents();
        state_.IndentColumns = layout_->IndentColumns();
        state_.IndentColumnsLoad = model_.LoadNumber;
        writer_->Write(layout_->IndentedHeader(row));
    } else {
        session_->Status("Sending BOM to Excel, Please Wait...");
        view_.DoEvents();
        writer_->Write(layout_->SummaryHeader(row));
    }
    row_ = checked::Add(row_, 1);
}

// Moves below rows already filled; a cell that cannot be read ends the scan rather than
// looping on an Excel that no longer answers.
void modExcel::RowScan() {
    for (;;) {
        bool filled = false;
        session_->Step([&] { filled = !IsEmptyCell(Target().Cells(row_ + 1, 2)->Value()); });
        if (!filled) {
            return;
        }
        row_ = checked::Add(row_, 1);
    }
}

void modExcel::WriteRows(const RowBlock& block, const char* sheet, std::int32_t done,
                         std::int32_t total) {
    writer_->Write(block);
    session_->Progress(sheet, done, total);
}

void modExcel::IndentedSheet(Workbook& book) {
    PrepareSheet(book, SheetKind::Indented);
    HeaderFurniture(book, SheetKind::Indented);
    RowScan();
    session_->Step([&] { session_->Excel().SetScreenUpdating(false); });
    if (options_.build == 1) {
        LevelCheckboxes(row_);
    }
    const bool hyperlinks = options_.hyperlinks != 0;
    // The Summary BOM links its file names as the last Indented BOM did.
    if (layout_->IndentedRows(row_, hyperlinks,
                              [&](const RowBlock& block, std::int32_t done, std::int32_t total) {
                                  WriteRows(block, kIndentedSheet, done, total);
                              })) {
        state_.UseHyperlinks = hyperlinks;
    }
    session_->Step([&] { session_->Excel().SetScreenUpdating(true); });
}

// A check box over each row's Level cell, all switched off before any depth is written: a box
// and its linked cell are one value, so switching a box off writes FALSE into its cell, and the
// depth written after it stays (the box then shows it as mixed).
void modExcel::LevelCheckboxes(std::int32_t top) {
    std::optional<CheckboxPlace> place; // measured at the first check box of the sheet
    const std::int16_t column = layout_->IndentedColumn(indented::kLevel);
    std::int32_t row = top;
    for (const std::string& text : layout_->LevelBoxTexts()) {
        session_->Step([&] {
            if (!place) {
                place = MeasureCheckboxPlace(Target(), row, column);
            }
            AddLevelCheckbox(Target(), *place, row, column, text);
        });
        row = checked::Add(row, 1);
    }
    if (place) {
        session_->Step([&] { FinishLevelCheckboxes(Target()); });
    }
}

void modExcel::SummarySheet(Workbook& book) {
    PrepareSheet(book, SheetKind::Summary);
    HeaderFurniture(book, SheetKind::Summary);
    RowScan();
    session_->Step([&] { session_->Excel().SetScreenUpdating(false); });
    layout_->SummaryRows(row_, state_.UseHyperlinks,
                         [&](const RowBlock& block, std::int32_t done, std::int32_t total) {
                             WriteRows(block, kSummarySheet, done, total);
                         });
    session_->Step([&] { session_->Excel().SetScreenUpdating(true); });
}

void modExcel::TotalsSheet(Workbook& book) {
    PrepareSheet(book, SheetKind::Totals);
    session_->Step([&] { Target().Columns(1)->SetFontBold(true); });
    session_->Step([&] { Target().Columns(1)->SetHorizontalAlignment(kAlignRight); });
    session_->Step([&] { Target().Columns(1)->SetColumnWidth(22); });
    session_->Step([&] { Target().Cells(1, 1)->SetHorizontalAlignment(kAlignLeft); });
    for (const RowBlock& title : layout_->TotalsTitle()) {
        writer_->Write(title);
    }
    writer_->Write(layout_->TotalsFigures(row_));
}

void modExcel::WriteWorkbookMacros(Workbook& book) {
    session_->Status("Writing Macro to Excel");
    std::shared_ptr<VBProject> project;
    if (session_->Step([&] { project = book.VBProject(); }) != kOk) {
        // Excel refuses its macro project until the user trusts access to it.
        view_.MsgBox(kMacrosNotTrustedMessage, model::kProgramTitle, model::kOkExclamation);
    } else {
        session_->Step([&] {
            macros::WriteMacros(*project, options_.build, IndentColumnsForMacros(state_, model_));
        });
    }
    view_.DoEvents();
}

} // namespace pw::excel
