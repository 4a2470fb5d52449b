#include "modExcel.h"

#include "CellText.h"
#include "ExcelGone.h"
#include "SheetControls.h"
#include "partwright/macros/modWriteVBEtoExcel.h"
#include "shared/core/Checked.h"
#include "shared/core/NumberText.h"
#include "shared/core/Step.h"

namespace pw::excel {
namespace {

struct SheetSetup {
    const char* name;
    const char* defaultName;
    bool renameDefault;
    std::int32_t rowOnAdd;
    bool lastRowSearch;
};

constexpr SheetSetup kIndented{"Indented BOM", "Sheet1", true, 0, true};
constexpr SheetSetup kSummary{"Summary BOM", "Sheet2", true, 0, true};
constexpr SheetSetup kTotals{"Summary-Totals", "Sheet3", false, 2, false};

constexpr double kHeaderRowHeight = 26.5;
constexpr std::int32_t kAssemblyFill = 34;
constexpr std::int32_t kNoPartNumberFont = 5;
constexpr std::int32_t kMissingFont = 3;

const char* const kIndentedHeaders[] = {"Level",    "Partnumber",  "Revision", "Description",
                                        "Author",   "Designer",    "Cost",     "Status",
                                        "Material", "Weight cm^3", "Path",     "Filename"};
const char* const kSummaryHeaders[] = {"Quan",     "Partnumber", "Revision", "Description",
                                       "Author",   "Designer",   "Cost",     "Status",
                                       "Material", "Path",       "Filename"};

bool IsEmptyCell(const CellValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return IsEmpty(value) || (text && text->empty());
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
                   ExcelLauncher& launcher)
    : model_(model), state_(state), view_(view), launcher_(launcher) {}

void modExcel::ExportToExcel() {
    try {
        Run();
    } catch (const ExcelGone&) {
        view_.SetStatus("Excel closed during the export; the workbook is incomplete.");
        view_.DoEvents();
    }
    target_.reset();
    app_.reset();
}

void modExcel::Run() {
    if (RunStep([&] { app_ = launcher_.Attach(); }) != kOk) {
        RunStep([&] { app_ = launcher_.Start(); });
    }
    if (!app_) {
        view_.SetStatus("Excel could not be reached; nothing was exported.");
        view_.DoEvents();
        return;
    }
    ExportStep([&] { app_->SetVisible(true); });
    ExportStep([&] { app_->SetWindowState(kWindowStateNormal); });
    ExportStep([&] { app_->AddWorkbook(); });

    // The options are read once: nothing can change them while the rows are written, and a
    // read per row is a round trip to the window per row.
    options_ = {view_.Check1Value(), view_.chkBuildValue(), view_.chkSetHyperlinksValue()};
    savedMaxIndent_ = 0;
    indentColumns_ = options_.check1 != 0 ? model_.Counts.MaxIndent : 0;

    PrepareSheet(SheetKind::Indented);
    HeaderFurniture(SheetKind::Indented);
    RowScan();
    ExportStep([&] { app_->SetScreenUpdating(false); });
    for (const auto& record : model_.FileData) {
        ExportStep([&] { IndentedRow(*record, state_.ExcelRow); });
        state_.ExcelRow = checked::Add(state_.ExcelRow, 1);
    }
    ExportStep([&] { app_->SetScreenUpdating(true); });

    PrepareSheet(SheetKind::Summary);
    HeaderFurniture(SheetKind::Summary);
    RowScan();
    ExportStep([&] { app_->SetScreenUpdating(false); });
    for (const auto& record : model_.FileData) {
        bool written = false;
        ExportStep([&] { written = SummaryRow(*record, state_.ExcelRow); });
        if (written) {
            state_.ExcelRow = checked::Add(state_.ExcelRow, 1);
        }
    }
    ExportStep([&] { app_->SetScreenUpdating(true); });

    PrepareSheet(SheetKind::Totals);
    Totals();

    view_.SetStatus("Writing Macro to Excel");
    ExportStep([&] {
        macros::WriteMacros(*app_, options_.build, IndentColumnsForMacros(state_, model_));
    });
    view_.DoEvents();
}

void modExcel::PrepareSheet(SheetKind kind) {
    const SheetSetup& setup = kind == SheetKind::Indented  ? kIndented
                              : kind == SheetKind::Summary ? kSummary
                                                           : kTotals;
    state_.SheetName = setup.name;
    ExportStep([&] { app_->ActiveWorkbook()->SelectSheet(setup.name); });

    std::string active;
    ExportStep([&] { active = app_->ActiveWorkbook()->ActiveSheet()->Name(); });
    const bool added = active != setup.defaultName && active != setup.name;
    if (added) {
        // The previous sheet is no target of this one: a sheet that cannot be added gets
        // nothing written, rather than its name and rows landing on the sheet before.
        target_.reset();
        ExportStep([&] { target_ = app_->ActiveWorkbook()->AddWorksheet(); });
        state_.ExcelRow = setup.rowOnAdd;
        state_.HeaderWritten = false;
        if (!target_) {
            return;
        }
        ExportStep([&] { Target().SetName(setup.name); });
    }
    if (kind == SheetKind::Totals) {
        // Without a sheet of its own the totals still go to the sheet that is active.
        if (!added) {
            ExportStep([&] { target_ = app_->ActiveWorkbook()->ActiveSheet(); });
            state_.ExcelRow = setup.rowOnAdd;
        }
        return;
    }
    ExportStep([&] {
        const auto sheet = app_->ActiveWorkbook()->ActiveSheet();
        if (sheet->Name() == setup.defaultName) {
            sheet->SetName(setup.name);
        }
    });
    ExportStep([&] { target_ = app_->ActiveWorkbook()->ActiveSheet(); });
    ExportStep([&] {
        app_->SelectedRange()->SpecialCells(kLastCell)->Select();
        const std::int32_t last = app_->ActiveCell()->Row();
        state_.ExcelRow = IsEmptyCell(Target().Cells(last, 2)->Value()) ? last : last + 1;
    });
}

void modExcel::HeaderFurniture(SheetKind kind) {
    const bool indented = kind == SheetKind::Indented;
    if (!indented && state_.ExcelRow == 0) {
        state_.ExcelRow = 1;
    }
    ExportStep([&] { Target().Rows(state_.ExcelRow)->SetRowHeight(kHeaderRowHeight); });
    ExportStep([&] { AddMacroButton(*app_, Target(), 0, 100, "Preview Image", "PreviewImage"); });
    if (indented && options_.build == 1) {
        ExportStep(
            [&] { AddMacroButton(*app_, Target(), 120, 96, "Build Assembly", "AddPartToAssy"); });
    }
    if (indented && state_.ExcelRow == 0) {
        state_.ExcelRow = 1;
    }
    if (state_.HeaderWritten) {
        return;
    }
    const std::int32_t row = state_.ExcelRow;
    ExportStep([&] { Target().Rows(row)->SetFontBold(true); });
    if (indented) {
        ExportStep([&] { Target().Cells(row + 1, 2)->Select(); });
    } else {
        ExportStep([&] { Target().Rows(row + 1)->Select(); });
    }
    ExportStep([&] { app_->FreezePanes(); });
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

// The sheet all cell calls go to; calls on a sheet that could not be had fail like any other.
Worksheet& modExcel::Target() const {
    if (!target_) {
        throw Failure(static_cast<ResultCode>(0x800A005Bu),
                      "Object variable or With block variable not set");
    }
    return *target_;
}

std::int16_t modExcel::Column(std::int16_t offset) const {
    return checked::Add(indentColumns_, offset);
}

void modExcel::WriteCell(std::int32_t row, std::int32_t column, const CellValue& value) {
    ExportStep([&] { Target().Cells(row, column)->SetValue(value); });
}

void modExcel::IndentedHeader(std::int32_t row) {
    view_.SetStatus("Sending Indented BOM to Excel, Please Wait...");
    view_.DoEvents();
    savedMaxIndent_ = model_.Counts.MaxIndent;
    const bool levelColumns = options_.check1 != 0;
    indentColumns_ = levelColumns ? model_.Counts.MaxIndent : 0;
    state_.IndentColumns = indentColumns_;
    state_.IndentColumnsLoad = model_.LoadNumber;
    std::int16_t offset = 1;
    for (const char* header : kIndentedHeaders) {
        WriteCell(row, Column(offset++), TextCell(header));
    }
    if (levelColumns) {
        for (std::int16_t level = 1; level <= indentColumns_; ++level) {
            WriteCell(row, level, TextCell("Level" + IntegerText(level)));
        }
    }
}

// Fill for assembly rows, font for rows without or with a missing part number.
void modExcel::RowLook(const model::clsFileData& record, std::int32_t row) {
    if (IsAssemblyRow(record.FileName)) {
        ExportStep([&] { Target().Rows(row)->SetInteriorColorIndex(kAssemblyFill); });
    }
    const auto first = FirstCharacter(record.Partnumber);
    if (!first) {
        ExportStep([&] {
            const auto range = Target().Rows(row);
            range->SetFontColorIndex(kNoPartNumberFont);
            range->SetFontBold(true);
        });
    } else if (*first == '<') {
        ExportStep([&] { Target().Rows(row)->SetFontColorIndex(kMissingFont); });
    }
}

// The folder in folderColumn, the file name (or its hyperlink) in the column after it.
void modExcel::FileCells(const model::clsFileData& record, std::int32_t row,
                         std::int16_t folderColumn) {
    std::string folder;
    std::string name;
    SplitPath(record.FileName, folder, name);
    WriteCell(row, folderColumn, TextCell(folder));
    const std::int32_t nameColumn = folderColumn + 1;
    if (state_.UseHyperlinks) {
        ExportStep(
            [&] { Target().AddHyperlink(*Target().Cells(row, nameColumn), folder + name, name); });
    } else {
        WriteCell(row, nameColumn, TextCell(name));
    }
}

void modExcel::IndentedRow(const model::clsFileData& record, std::int32_t row) {
    RowLook(record, row);
    if (options_.build == 1) {
        const std::string text =
            (IsAssemblyRow(record.FileName) ? "A" : "P") + IntegerText(record.Depth);
        ExportStep([&] { AddLevelCheckbox(Target(), row, Column(1), text); });
    }
    if (options_.check1 != 0) {
        WriteCell(row, record.Depth, FieldCell(record.Partnumber));
    }
    WriteCell(row, Column(1), std::int32_t{record.Depth});
    WriteCell(row, Column(2), FieldCell(record.Partnumber));
    WriteCell(row, Column(3), FieldCell(record.Revision));
    WriteCell(row, Column(4), TextCell(record.Description));
    WriteCell(row, Column(5), TextCell(record.Author));
    WriteCell(row, Column(6), TextCell(record.Designer));
    WriteCell(row, Column(7), FieldCell(record.Cost));
    WriteCell(row, Column(8), TextCell(StatusText(record.Status)));
    WriteCell(row, Column(9), TextCell(record.Material));
    WriteCell(row, Column(10), FieldCell(record.Weight));
    state_.UseHyperlinks = options_.hyperlinks != 0;
    FileCells(record, row, Column(11));
    WriteCell(row, Column(13), TextCell(MatrixText(record.TransMat.get())));
}

void modExcel::SummaryHeader(std::int32_t row) {
    view_.SetStatus("Sending BOM to Excel, Please Wait...");
    view_.DoEvents();
    std::int32_t column = 1;
    for (const char* header : kSummaryHeaders) {
        WriteCell(row, column++, TextCell(header));
    }
}

bool modExcel::SummaryRow(const model::clsFileData& record, std::int32_t row) {
    if (record.Quantity < 1) {
        return false;
    }
    RowLook(record, row);
    if (const auto entry = model_.Dupes.Find(record.FileName)) {
        WriteCell(row, 1, std::int32_t{entry->Quantity});
    }
    WriteCell(row, 2, FieldCell(record.Partnumber));
    WriteCell(row, 3, FieldCell(record.Revision));
    WriteCell(row, 4, TextCell(record.Description));
    WriteCell(row, 5, TextCell(record.Author));
    WriteCell(row, 6, TextCell(record.Designer));
    WriteCell(row, 7, FieldCell(record.Cost));
    WriteCell(row, 8, TextCell(StatusText(record.Status)));
    WriteCell(row, 9, TextCell(record.Material));
    FileCells(record, row, 10);
    return true;
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
    for (std::int32_t i = 0; i < 6; ++i) {
        WriteCell(row + i, 1, TextCell(labels[i]));
    }
    WriteCell(row, 2, std::int32_t{savedMaxIndent_});
    WriteCell(row + 1, 2, model_.Dupes.Count());
    WriteCell(row + 2, 2, counts.AssyCount);
    WriteCell(row + 3, 2, counts.PartCount);
    ExportStep([&] { WriteCell(row + 4, 2, checked::Add(counts.PartCount, counts.AssyCount)); });
    WriteCell(row + 5, 2, counts.MissingCount);
}

} // namespace pw::excel
