#include "modExcel.h"

#include "CellText.h"
#include "PartNumberRows.h"
#include "QuantityCells.h"
#include "SheetControls.h"
#include "partwright/excel/BomColumns.h"
#include "partwright/excel/ExcelCodes.h"
#include "partwright/excel/ExcelNotAnswering.h"
#include "partwright/macros/modWriteVBEtoExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "partwright/model/BomRules.h"
#include "shared/core/Checked.h"
#include "shared/core/NumberText.h"
#include "shared/core/Step.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <utility>
#include <vector>

namespace pw::excel {
namespace {

struct SheetSetup {
    const char* name;
    std::int32_t rowOnAdd;
};

constexpr SheetSetup kIndented{kIndentedSheet, 0};
constexpr SheetSetup kSummary{kSummarySheet, 0};
constexpr SheetSetup kTotals{kTotalsSheet, 2};

constexpr double kHeaderRowHeight = 26.5;
constexpr std::int32_t kAssemblyFill = 34;
constexpr std::int32_t kNoPartNumberFont = 5;
constexpr std::int32_t kMissingFont = 3;
// Rows per Range.Value call: a thousand rows of the widest sheet marshal to a few megabytes, and
// 20,000 rows take twenty calls.
// How long a call is made again while Excel turns it away: long enough for a user to finish
// typing into a cell or close a dialog once told, short enough that the export never seems hung.
constexpr std::chrono::seconds kBusyLimit{20};

bool IsEmptyCell(const CellValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return IsEmpty(value) || (text && text->empty());
}

// What the export holds of Excel (its workbook, the sheet written to): a call on one that could
// not be had fails like any other call.
template <class Object> Object& Held(const std::shared_ptr<Object>& object) {
    if (!object) {
        throw Failure(kObjectNotSet, "Object variable or With block variable not set");
    }
    return *object;
}

// The part number's first character, or nothing when it has none.
std::optional<char> FirstCharacter(const Value& partNumber) {
    const std::string text = ValueText(partNumber);
    return text.empty() ? std::nullopt : std::optional<char>(text.front());
}

} // namespace

std::int16_t IndentColumnsForMacros(const ExportState& state, const model::BomModel& model) {
    if (state.IndentColumns && state.IndentColumnsLoad == model.LoadNumber) {
        return *state.IndentColumns;
    }
    return model.Counts.MaxIndent;
}

modExcel::modExcel(model::BomModel& model, ExportState& state, ExportView& view,
                   ExcelLauncher& launcher, WorkbookKind kind, BomStructureColumn structure,
                   SummaryRowsBy summaryRows, CellLimits limits, QuantityColumns quantities)
    : model_(model), state_(state), view_(view), launcher_(launcher),
      controls_(kind == WorkbookKind::WithMacros),
      structureColumn_(structure == BomStructureColumn::With),
      byPartNumber_(summaryRows == SummaryRowsBy::PartNumber),
      excelLimits_(limits == CellLimits::Excel),
      quantityColumns_(quantities == QuantityColumns::WhereCounted &&
                       CountsInBaseQuantities(model)) {}

ExportOutcome modExcel::ExportToExcel() {
    outcome_ = {};
    shownStatus_.clear();
    waitShown_ = false;
    const auto busyWait = launcher_.WaitWhileBusy(kBusyLimit, [&](std::chrono::seconds waited) {
        waitShown_ = true;
        view_.SetStatus("Excel is busy (a cell being edited or a dialog open?); waiting for it: " +
                        std::to_string(waited.count()) + " s of " +
                        std::to_string(kBusyLimit.count()) + " s");
        view_.DoEvents();
    });
    try {
        Run();
    } catch (const ExcelNotAnswering& stopped) {
        const std::string left = book_ ? "the workbook is incomplete." : "nothing was exported.";
        Stopped(IsExcelBusy(stopped.code())
                    ? "Excel stayed busy for " + std::to_string(kBusyLimit.count()) +
                          " s (a cell being edited or a dialog open?); the export was stopped "
                          "and " +
                          left
                    : "Excel closed during the export; " + left);
    }
    if (!outcome_.stopped && outcome_.failedSteps > 0) {
        Status("Exported, but " + CountedText(outcome_.failedSteps, "step", "steps") +
               " failed; the first: " + outcome_.firstFailure);
        view_.DoEvents();
    } else if (!outcome_.stopped && outcome_.fitted > 0) {
        Status("Exported, fitted to Excel's limits in " +
               CountedText(outcome_.fitted, "place", "places") +
               "; the first: " + outcome_.firstFitted);
        view_.DoEvents();
    }
    if (std::exchange(waitShown_, false)) {
        view_.SetStatus(shownStatus_); // the wait is over: the status says how the export ended
        view_.DoEvents();
    }
    target_.reset();
    book_.reset();
    app_.reset();
    return outcome_;
}

void modExcel::Status(const std::string& text) {
    shownStatus_ = text;
    waitShown_ = false;
    view_.SetStatus(text);
}

void modExcel::CountFailure(const std::string& reason) {
    if (outcome_.failedSteps++ == 0) {
        outcome_.firstFailure = reason;
    }
}

void modExcel::CountFitted(const std::string& reason) {
    if (outcome_.fitted++ == 0) {
        outcome_.firstFitted = reason;
    }
}

void modExcel::Stopped(const std::string& status) {
    outcome_.stopped = true;
    outcome_.stopReason = status;
    Status(status);
    view_.DoEvents();
}

// One export step: a failing Excel call abandons the step, is counted (unless the step is to be
// tried again), and the export goes on; an Excel that has gone away or stays busy ends the export.
template <class StepFn> ResultCode modExcel::ExportStep(StepFn&& step, StepFailure failure) {
    try {
        std::forward<StepFn>(step)();
        return kOk;
    } catch (const Failure& failed) {
        if (IsExcelGone(failed.code()) || IsExcelBusy(failed.code())) {
            throw ExcelNotAnswering(failed.code());
        }
        if (failure == StepFailure::Counted) {
            CountFailure(failed.what());
        }
        lastStepFailure_ = failed.what();
        return failed.code();
    }
}

void modExcel::Run() {
    if (RunStep([&] { app_ = launcher_.Attach(); }) != kOk) {
        RunStep([&] { app_ = launcher_.Start(); });
    }
    if (!app_) {
        Stopped("Excel could not be reached; nothing was exported.");
        return;
    }
    ExportStep([&] { app_->SetVisible(true); });
    ExportStep([&] { app_->SetWindowState(kWindowStateNormal); });
    // Every later call goes through the workbook made here and the sheets and shapes it is
    // given, never through what is active: Excel is visible, and the user may click another
    // workbook while the export runs.
    if (ExportStep([&] { book_ = app_->AddWorkbook(); }, StepFailure::Said) != kOk || !book_) {
        Stopped("Excel could not add a workbook; nothing was exported: " + lastStepFailure_);
        return;
    }

    // The options are read once: nothing can change them while the rows are written, and a
    // read per row is a round trip to the window per row.
    // Without controls there are no builder check boxes or button either.
    options_ = {view_.Check1Value(), controls_ ? view_.chkBuildValue() : 0,
                view_.chkSetHyperlinksValue()};
    savedMaxIndent_ = 0;
    indentColumns_ = options_.check1 != 0 ? model_.Counts.MaxIndent : 0;

    PrepareSheet(SheetKind::Indented);
    HeaderFurniture(SheetKind::Indented);
    RowScan();
    ExportStep([&] { app_->SetScreenUpdating(false); });
    IndentedRows();
    ExportStep([&] { app_->SetScreenUpdating(true); });

    PrepareSheet(SheetKind::Summary);
    HeaderFurniture(SheetKind::Summary);
    RowScan();
    ExportStep([&] { app_->SetScreenUpdating(false); });
    SummaryRows();
    ExportStep([&] { app_->SetScreenUpdating(true); });

    PrepareSheet(SheetKind::Totals);
    Totals();

    if (controls_) {
        WriteWorkbookMacros();
    }
}

void modExcel::WriteWorkbookMacros() {
    Status("Writing Macro to Excel");
    std::shared_ptr<VBProject> project;
    if (ExportStep([&] { project = book_->VBProject(); }) != kOk) {
        // Excel refuses its macro project until the user trusts access to it.
        view_.MsgBox(kMacrosNotTrustedMessage, model::kProgramTitle, model::kOkExclamation);
    } else {
        ExportStep([&] {
            macros::WriteMacros(*project, options_.build, IndentColumnsForMacros(state_, model_));
        });
    }
    view_.DoEvents();
}

void modExcel::PrepareSheet(SheetKind kind) {
    const SheetSetup& setup = kind == SheetKind::Indented  ? kIndented
                              : kind == SheetKind::Summary ? kSummary
                                                           : kTotals;
    state_.SheetName = setup.name;
    // The previous sheet is no target of this one: a sheet that cannot be had gets nothing
    // written, rather than its name and rows landing on the sheet before.
    target_.reset();
    linksOnTarget_ = 0;
    if (kind == SheetKind::Indented) {
        // The new workbook's first sheet, whatever Excel's language names it, takes the BOM.
        ExportStep([&] { target_ = Book().Sheet(1); });
        ExportStep([&] { Target().SetName(setup.name); });
        ExportStep([&] {
            const std::int32_t last = Target().Cells(1, 1)->SpecialCells(kLastCell)->Row();
            state_.ExcelRow = IsEmptyCell(Target().Cells(last, 2)->Value()) ? last : last + 1;
        });
        return;
    }
    ExportStep([&] { target_ = Book().AddWorksheet(); });
    state_.ExcelRow = setup.rowOnAdd;
    state_.HeaderWritten = false;
    if (target_) {
        ExportStep([&] { Target().SetName(setup.name); });
    }
}

void modExcel::HeaderFurniture(SheetKind kind) {
    const bool indented = kind == SheetKind::Indented;
    if (!indented && state_.ExcelRow == 0) {
        state_.ExcelRow = 1;
    }
    ExportStep([&] { Target().Rows(state_.ExcelRow)->SetRowHeight(kHeaderRowHeight); });
    if (controls_) {
        ExportStep([&] { AddMacroButton(Target(), 0, 100, "Preview Image", "PreviewImage"); });
    }
    if (indented && options_.build == 1) {
        ExportStep([&] { AddMacroButton(Target(), 120, 96, "Build Assembly", "AddPartToAssy"); });
    }
    if (indented && state_.ExcelRow == 0) {
        state_.ExcelRow = 1;
    }
    if (state_.HeaderWritten) {
        return;
    }
    const std::int32_t row = state_.ExcelRow;
    ExportStep([&] { Target().Rows(row)->SetFontBold(true); });
    // Panes are frozen at a selection, which only the active sheet has: the export's sheet is
    // activated just before. A user who activates another workbook in between fails the
    // selection, and the step is tried once more.
    const auto freeze = [&] {
        Target().Activate();
        if (indented) {
            Target().Cells(row + 1, 2)->Select();
        } else {
            Target().Rows(row + 1)->Select();
        }
        Book().FreezePanes();
    };
    if (ExportStep(freeze, StepFailure::TriedAgain) != kOk) {
        ExportStep(freeze);
    }
    if (indented) {
        IndentedHeader(row);
    } else {
        SummaryHeader(row);
    }
    state_.HeaderWritten = true;
    state_.ExcelRow = checked::Add(state_.ExcelRow, 1);
}

// Moves below rows already filled; a cell that cannot be read ends the scan rather than
// looping on an Excel that no longer answers.
void modExcel::RowScan() {
    for (;;) {
        bool filled = false;
        ExportStep([&] { filled = !IsEmptyCell(Target().Cells(state_.ExcelRow + 1, 2)->Value()); });
        if (!filled) {
            return;
        }
        state_.ExcelRow = checked::Add(state_.ExcelRow, 1);
    }
}

// The sheet all cell calls go to.
Worksheet& modExcel::Target() const {
    return Held(target_);
}

Workbook& modExcel::Book() const {
    return Held(book_);
}

std::int16_t modExcel::Column(std::int16_t offset) const {
    return checked::Add(indentColumns_, offset);
}

// The sheets' widths: their own columns, the BOM Structure column when asked for, then one
// column per further property.
std::int16_t modExcel::IndentedWidth() const {
    return checked::Add(Column(structureColumn_ ? indented::kBomStructure : indented::kCount),
                        ExtraCount());
}

std::int16_t modExcel::SummaryWidth() const {
    const std::int16_t own = checked::Sub<std::int16_t>(QuantityColumn(), 1);
    return checked::Add(
        own, checked::Add<std::int16_t>(ExtraCount(), quantityColumns_ ? kQuantityColumnCount : 0));
}

std::int16_t modExcel::QuantityColumn() const {
    return checked::Add<std::int16_t>(structureColumn_ ? summary::kBomStructure : summary::kCount,
                                      1);
}

void modExcel::QuantityValues(std::span<const model::clsFileData* const> records,
                              std::int64_t items, CellBlock& block, std::int32_t at) const {
    if (!quantityColumns_) {
        return;
    }
    const QuantityCellRow cells = QuantityCells(records, items);
    for (std::int32_t i = 0; i < kQuantityColumnCount; ++i) {
        block.At(at, QuantityColumn() - 1 + i) = cells[static_cast<std::size_t>(i)];
    }
}

std::int16_t modExcel::ExtraCount() const {
    return checked::Narrow<std::int16_t>(model_.ExtraProperties.size());
}

// The further properties' headers, or a record's values of them, in the block's last columns.
void modExcel::ExtraHeaders(CellBlock& block) const {
    const std::int16_t first = checked::Sub(static_cast<std::int16_t>(block.columns), ExtraCount());
    for (std::int16_t i = 0; i < ExtraCount(); ++i) {
        block.At(0, first + i) = TextCell(model_.ExtraProperties[static_cast<std::size_t>(i)].name);
    }
}

void modExcel::ExtraValues(const model::clsFileData& record, CellBlock& block,
                           std::int32_t at) const {
    const std::int32_t first = block.columns - ExtraCount();
    for (std::size_t i = 0; i < record.Extra.size() && i < model_.ExtraProperties.size(); ++i) {
        block.At(at, first + static_cast<std::int32_t>(i)) = FieldCell(record.Extra[i]);
    }
}

void modExcel::WriteCell(std::int32_t row, std::int32_t column, const CellValue& value) {
    ExportStep([&] { Target().Cells(row, column)->SetValue(value); });
}

void modExcel::IndentedHeader(std::int32_t row) {
    Status("Sending Indented BOM to Excel, Please Wait...");
    view_.DoEvents();
    savedMaxIndent_ = model_.Counts.MaxIndent;
    const bool levelColumns = options_.check1 != 0;
    indentColumns_ = levelColumns ? model_.Counts.MaxIndent : 0;
    state_.IndentColumns = indentColumns_;
    state_.IndentColumnsLoad = model_.LoadNumber;
    const auto headers = static_cast<std::int16_t>(std::size(indented::kHeaders));
    // The matrix column has no header: the header row ends at the file name without it.
    CellBlock block(1, structureColumn_ || ExtraCount() > 0 ? IndentedWidth() : Column(headers));
    for (std::int16_t offset = 1; offset <= headers; ++offset) {
        block.At(0, Column(offset) - 1) = TextCell(indented::kHeaders[offset - 1]);
    }
    if (structureColumn_) {
        block.At(0, Column(indented::kBomStructure) - 1) = TextCell(kBomStructureHeader);
    }
    for (std::int16_t level = 1; levelColumns && level <= indentColumns_; ++level) {
        block.At(0, level - 1) = TextCell("Level" + IntegerText(level));
    }
    ExtraHeaders(block);
    WriteBlock(row, block);
}

// Fill for assembly rows, font for rows without or with a missing part number.
modExcel::RowLook modExcel::LookOf(const model::clsFileData& record) {
    RowLook look;
    look.assembly = IsAssemblyRecord(record);
    const auto first = FirstCharacter(record.Partnumber);
    look.font = !first          ? FontLook::NoPartNumber
                : *first == '<' ? FontLook::Missing
                                : FontLook::Plain;
    return look;
}

// The looks of a block's rows, row `first` down, set once for each run of rows that share one.
void modExcel::ApplyLooks(std::int32_t first, const std::vector<RowLook>& looks) {
    const auto runs = [&](auto same, auto apply) {
        for (std::size_t start = 0; start < looks.size();) {
            std::size_t end = start + 1;
            while (end < looks.size() && same(looks[start], looks[end])) {
                ++end;
            }
            const auto top = static_cast<std::int32_t>(start);
            const auto bottom = static_cast<std::int32_t>(end - 1);
            apply(looks[start], first + top, first + bottom);
            start = end;
        }
    };
    runs([](const RowLook& a, const RowLook& b) { return a.assembly == b.assembly; },
         [&](const RowLook& look, std::int32_t top, std::int32_t bottom) {
             if (look.assembly) {
                 ExportStep(
                     [&] { Target().RowSpan(top, bottom)->SetInteriorColorIndex(kAssemblyFill); });
             }
         });
    runs([](const RowLook& a, const RowLook& b) { return a.font == b.font; },
         [&](const RowLook& look, std::int32_t top, std::int32_t bottom) {
             if (look.font == FontLook::NoPartNumber) {
                 ExportStep([&] {
                     const auto range = Target().RowSpan(top, bottom);
                     range->SetFontColorIndex(kNoPartNumberFont);
                     range->SetFontBold(true);
                 });
             } else if (look.font == FontLook::Missing) {
                 ExportStep(
                     [&] { Target().RowSpan(top, bottom)->SetFontColorIndex(kMissingFont); });
             }
         });
}

// Hands the records that `keep` accepts to `write` a block at a time, with how many records have
// been gone through by then.
template <class Keep, class Write> void modExcel::InBlocks(Keep keep, Write write) {
    std::int32_t done = 0;
    std::vector<const model::clsFileData*> chunk;
    for (const auto& record : model_.FileData) {
        ++done;
        if (!keep(*record)) {
            continue;
        }
        chunk.push_back(record.get());
        if (chunk.size() == static_cast<std::size_t>(kRowsPerBlock)) {
            write(chunk, done);
            chunk.clear();
        }
    }
    if (!chunk.empty()) {
        write(chunk, done);
    }
}

// A block's rows after their values were made: their looks set once per run of rows, all the
// values in one call, then the hyperlinks, which must come after the values they show.
void modExcel::FlushBlock(const BlockRows& rows, std::int32_t linkColumn, const char* sheet,
                          std::int32_t done) {
    ApplyLooks(rows.first, rows.looks);
    WriteBlock(rows.first, rows.values);
    AddLinks(rows.first, linkColumn, rows.links);
    ShowProgress(sheet, done, model_.FileData.Count());
}

void modExcel::IndentedRows() {
    if (options_.build == 1) {
        LevelCheckboxes();
    }
    InBlocks([](const model::clsFileData& record) { return Exported(record); },
             [&](const std::vector<const model::clsFileData*>& chunk, std::int32_t done) {
                 BlockRows rows(state_.ExcelRow, static_cast<std::int32_t>(chunk.size()),
                                IndentedWidth());
                 for (std::int32_t i = 0; i < rows.values.rows; ++i) {
                     const model::clsFileData& record = *chunk[static_cast<std::size_t>(i)];
                     rows.looks.push_back(LookOf(record));
                     state_.UseHyperlinks = options_.hyperlinks != 0;
                     IndentedValues(record, rows.values, i, rows.links);
                     state_.ExcelRow = checked::Add(state_.ExcelRow, 1);
                 }
                 FlushBlock(rows, Column(indented::kFilename), kIndentedSheet, done);
             });
}

// A check box over each row's Level cell, all switched off before any depth is written: a box
// and its linked cell are one value, so switching a box off writes FALSE into its cell, and the
// depth written after it stays (the box then shows it as mixed).
void modExcel::LevelCheckboxes() {
    std::optional<CheckboxPlace> place; // measured at the first check box of the sheet
    std::int32_t row = state_.ExcelRow;
    for (const auto& record : model_.FileData) {
        if (!Exported(*record)) {
            continue;
        }
        // "Build Assembly" places the "P" rows; a virtual component has no file to place.
        const char* const kind = record->Kind == model::ComponentKind::Virtual ? "V"
                                 : IsAssemblyRecord(*record)                   ? "A"
                                                                               : "P";
        const std::string text = kind + IntegerText(record->Depth);
        ExportStep([&] {
            if (!place) {
                place = MeasureCheckboxPlace(Target(), row, Column(indented::kLevel));
            }
            AddLevelCheckbox(Target(), *place, row, Column(indented::kLevel), text);
        });
        row = checked::Add(row, 1);
    }
    if (place) {
        ExportStep([&] { FinishLevelCheckboxes(Target()); });
    }
}

void modExcel::SummaryRows() {
    if (byPartNumber_) {
        PartNumberSummaryRows();
        return;
    }
    InBlocks([](const model::clsFileData& record) { return record.Quantity >= 1; },
             [&](const std::vector<const model::clsFileData*>& chunk, std::int32_t done) {
                 BlockRows rows(state_.ExcelRow, static_cast<std::int32_t>(chunk.size()),
                                SummaryWidth());
                 for (std::int32_t i = 0; i < rows.values.rows; ++i) {
                     const model::clsFileData& record = *chunk[static_cast<std::size_t>(i)];
                     rows.looks.push_back(LookOf(record));
                     SummaryValues(record, rows.values, i, rows.links);
                     state_.ExcelRow = checked::Add(state_.ExcelRow, 1);
                 }
                 FlushBlock(rows, summary::kFilename, kSummarySheet, done);
             });
}

// One block of values, row `first` down, from column 1. Excel refuses a whole block for one text
// longer than a cell holds: such texts are cut to fit, and each cut is counted.
void modExcel::WriteBlock(std::int32_t first, const CellBlock& block) {
    const auto write = [&](const CellBlock& values) {
        ExportStep([&] {
            Target()
                .Block(first, 1, checked::Add(first, values.rows - 1), values.columns)
                ->SetValues(values);
        });
    };
    if (!excelLimits_ || !HasTextLongerThanACell(block)) {
        write(block);
        return;
    }
    CellBlock fitted = block;
    for (const std::string& note : FitTextsToCells(fitted, first, state_.SheetName)) {
        CountFitted(note);
    }
    write(fitted);
}

// The file-name cells of a block as hyperlinks to their files, after the block's values.
void modExcel::AddLinks(std::int32_t first, std::int32_t column,
                        const std::vector<PendingLink>& links) {
    for (const PendingLink& link : links) {
        // Past what a sheet holds, each link would be refused in turn: the names stay as text.
        if (excelLimits_ && linksOnTarget_ == kHyperlinksPerSheet) {
            CountFitted(state_.SheetName +
                        ": Excel holds 65,530 hyperlinks on a sheet; the file names past them "
                        "are text only");
        }
        if (excelLimits_ && linksOnTarget_++ >= kHyperlinksPerSheet) {
            continue;
        }
        ExportStep([&] {
            Target().AddHyperlink(*Target().Cells(first + link.offset, column), link.address,
                                  link.name);
        });
    }
}

// Where a long export is, at most a few times a second, and not for one that fits one block.
void modExcel::ShowProgress(const char* sheet, std::int32_t done, std::int32_t total) {
    const auto now = std::chrono::steady_clock::now();
    if (done >= total || now - lastProgress_ < std::chrono::milliseconds(250)) {
        return;
    }
    lastProgress_ = now;
    Status(std::string("Writing ") + sheet + ": " + IntegerText(done) + " of " +
           IntegerText(total) + " rows");
    view_.DoEvents();
}

// Each value is its own step: one that cannot be made leaves its cell blank and is counted.
void modExcel::IndentedValues(const model::clsFileData& record, CellBlock& block, std::int32_t at,
                              std::vector<PendingLink>& links) {
    const auto put = [&](std::int32_t column, const auto& make, const char* what = "a value") {
        std::string why;
        if (RunStep([&] { block.At(at, checked::Add<std::int32_t>(column, -1)) = make(); }, why) !=
            kOk) {
            CountFailure(std::string(what) + " of row " + IntegerText(state_.ExcelRow) + " of " +
                         kIndentedSheet + ": " + why);
        }
    };
    if (options_.check1 != 0 && record.Depth >= 1 && record.Depth <= indentColumns_) {
        put(record.Depth, [&] { return FieldCell(record.Partnumber); });
    }
    using namespace indented;
    put(Column(kLevel), [&] { return CellValue{std::int32_t{record.Depth}}; });
    put(Column(kPartnumber), [&] { return FieldCell(record.Partnumber); });
    put(Column(kRevision), [&] { return FieldCell(record.Revision); });
    put(Column(kDescription), [&] { return TextCell(record.Description); });
    put(Column(kAuthor), [&] { return TextCell(record.Author); });
    put(Column(kDesigner), [&] { return TextCell(record.Designer); });
    put(Column(kCost), [&] { return FieldCell(record.Cost); });
    put(Column(kStatus), [&] { return TextCell(StatusText(record.Status)); });
    put(Column(kMaterial), [&] { return TextCell(record.Material); });
    put(Column(kWeight), [&] { return FieldCell(record.Weight); });
    FileValues(record, block, at, Column(kPath), links);
    put(
        Column(kMatrix), [&] { return TextCell(MatrixText(record.TransMat.get())); },
        "the placement");
    if (structureColumn_) {
        put(Column(kBomStructure),
            [&] { return TextCell(model::BomStructureText(record.BOMStructure)); });
    }
    ExtraValues(record, block, at);
}

void modExcel::SummaryValues(const model::clsFileData& record, CellBlock& block, std::int32_t at,
                             std::vector<PendingLink>& links) {
    using namespace summary;
    const auto put = [&](std::int32_t column, const CellValue& value) {
        block.At(at, column - 1) = value;
    };
    if (const auto entry = model_.Dupes.Find(record.FileName)) {
        put(kQuantity, std::int32_t{entry->Quantity});
        const model::clsFileData* const one = &record;
        QuantityValues(std::span(&one, 1), entry->Quantity, block, at);
    }
    put(kPartnumber, FieldCell(record.Partnumber));
    put(kRevision, FieldCell(record.Revision));
    put(kDescription, TextCell(record.Description));
    put(kAuthor, TextCell(record.Author));
    put(kDesigner, TextCell(record.Designer));
    put(kCost, FieldCell(record.Cost));
    put(kStatus, TextCell(StatusText(record.Status)));
    put(kMaterial, TextCell(record.Material));
    FileValues(record, block, at, kPath, links);
    if (structureColumn_) {
        put(kBomStructure, TextCell(model::BomStructureText(record.BOMStructure)));
    }
    ExtraValues(record, block, at);
}

// One row per part number: the first file's fields where all its files agree, "*Varies*" where
// they do not, and the count of files in the file-name column, linked to the first.
void modExcel::PartNumberSummaryRows() {
    const std::vector<PartNumberRow> merged = PartNumberRows(model_);
    const auto count = static_cast<std::int32_t>(merged.size());
    for (std::int32_t first = 0; first < count; first += kRowsPerBlock) {
        const std::int32_t size = std::min(kRowsPerBlock, count - first);
        BlockRows rows(state_.ExcelRow, size, SummaryWidth());
        for (std::int32_t i = 0; i < size; ++i) {
            const PartNumberRow& row = merged[static_cast<std::size_t>(first + i)];
            const model::clsFileData& lead = *row.records.front();
            rows.looks.push_back(LookOf(lead));
            SummaryValues(lead, rows.values, i, rows.links);
            if (row.quantity) {
                rows.values.At(i, summary::kQuantity - 1) = *row.quantity;
                QuantityValues(row.records, *row.quantity, rows.values, i);
            }
            if (row.records.size() > 1) {
                MarkVarying(row.records, rows.values, i);
                const std::string files =
                    CountedText(static_cast<std::int64_t>(row.records.size()), "file", "files");
                rows.values.At(i, summary::kFilename - 1) = TextCell(files);
                if (!rows.links.empty() && rows.links.back().offset == i) {
                    rows.links.back().name = files;
                }
            }
            state_.ExcelRow = checked::Add(state_.ExcelRow, 1);
        }
        FlushBlock(rows, summary::kFilename, kSummarySheet, first + size);
    }
}

// "*Varies*" in each field of a merged row on which its files disagree.
void modExcel::MarkVarying(const std::vector<const model::clsFileData*>& records, CellBlock& block,
                           std::int32_t at) {
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
        {kPath,
         [](const model::clsFileData& r) {
             std::string folder;
             std::string name;
             SplitPath(r.FileName, folder, name);
             return TextCell(folder);
         }},
        {kBomStructure,
         [](const model::clsFileData& r) {
             return TextCell(model::BomStructureText(r.BOMStructure));
         }},
    };
    for (const auto& [column, field] : fields) {
        if (column == kBomStructure && !structureColumn_) {
            continue;
        }
        const CellValue lead = field(*records.front());
        if (std::any_of(records.begin() + 1, records.end(),
                        [&](const model::clsFileData* record) { return field(*record) != lead; })) {
            block.At(at, column - 1) = TextCell(kVaries);
        }
    }
    const std::int32_t firstExtra = block.columns - ExtraCount();
    for (std::size_t i = 0; i < model_.ExtraProperties.size(); ++i) {
        const auto extra = [i](const model::clsFileData& record) {
            return i < record.Extra.size() ? record.Extra[i] : Value{};
        };
        const Value lead = extra(*records.front());
        if (std::any_of(records.begin() + 1, records.end(),
                        [&](const model::clsFileData* record) { return extra(*record) != lead; })) {
            block.At(at, firstExtra + static_cast<std::int32_t>(i)) = TextCell(kVaries);
        }
    }
}

// The folder in folderColumn and the file name in the column after it; with hyperlinks, a
// hyperlink is laid over the name once the block's values are in, so that a link Excel refuses
// loses only the link.
void modExcel::FileValues(const model::clsFileData& record, CellBlock& block, std::int32_t at,
                          std::int32_t folderColumn, std::vector<PendingLink>& links) {
    std::string folder;
    std::string name;
    SplitRecordPath(record, folder, name);
    block.At(at, folderColumn - 1) = TextCell(folder);
    block.At(at, folderColumn) = TextCell(name);
    if (state_.UseHyperlinks && !name.empty()) {
        links.push_back({at, FileLinkAddress(folder + name), name});
    }
}

void modExcel::SummaryHeader(std::int32_t row) {
    Status("Sending BOM to Excel, Please Wait...");
    view_.DoEvents();
    CellBlock block(1, SummaryWidth());
    for (std::int32_t column = 0; column < summary::kCount; ++column) {
        block.At(0, column) = TextCell(summary::kHeaders[column]);
    }
    if (structureColumn_) {
        block.At(0, summary::kBomStructure - 1) = TextCell(kBomStructureHeader);
    }
    if (quantityColumns_) {
        for (std::int32_t i = 0; i < kQuantityColumnCount; ++i) {
            block.At(0, QuantityColumn() - 1 + i) = TextCell(kQuantityHeaders[i]);
        }
    }
    ExtraHeaders(block);
    WriteBlock(row, block);
}

void modExcel::Totals() {
    const model::Tallies& counts = model_.Counts;
    ExportStep([&] { Target().Columns(1)->SetFontBold(true); });
    ExportStep([&] { Target().Columns(1)->SetHorizontalAlignment(kAlignRight); });
    ExportStep([&] { Target().Columns(1)->SetColumnWidth(22); });
    ExportStep([&] { Target().Cells(1, 1)->SetHorizontalAlignment(kAlignLeft); });
    if (const auto top = model_.FileData.Item(1)) {
        WriteCell(1, 1, TextCell("Summary Information for " + top->FileName));
    }
    const std::int32_t row = state_.ExcelRow;
    const char* const labels[] = {
        "Max Indenting: ", "Total Files: ",        "Total Assemblies: ",
        "Total Parts: ",   "Total Parts+Ass'ys: ", "Missing Components: "};
    // Labels and numbers in one block.
    CellBlock block(6, 2);
    for (std::int32_t i = 0; i < 6; ++i) {
        block.At(i, 0) = TextCell(labels[i]);
    }
    block.At(0, 1) = std::int32_t{savedMaxIndent_};
    block.At(1, 1) = model_.Dupes.Count();
    block.At(2, 1) = counts.AssyCount;
    block.At(3, 1) = counts.PartCount;
    // Beyond 32 bits the sum is still a number Excel holds exactly.
    const std::int64_t total = std::int64_t{counts.PartCount} + counts.AssyCount;
    block.At(4, 1) = total == static_cast<std::int32_t>(total)
                         ? CellValue{static_cast<std::int32_t>(total)}
                         : CellValue{static_cast<double>(total)};
    block.At(5, 1) = counts.MissingCount;
    WriteBlock(row, block);
}

} // namespace pw::excel
