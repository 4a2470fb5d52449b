#include "InMemoryWorkbook.h"

#include "partwright/excel/ExcelCodes.h"
#include "partwright/export/CellText.h"
#include "partwright/workbook/WorkbookApplication.h"
#include "shared/core/Failure.h"

namespace pw::batch {
namespace {

// No Excel runs to attach to; "starting" one makes the workbook in memory.
class InMemoryExcel : public excel::ExcelLauncher {
public:
    explicit InMemoryExcel(std::shared_ptr<workbook::ExcelState> state)
        : state_(std::move(state)) {}

    std::shared_ptr<excel::Application> Attach() override {
        throw Failure(excel::kNotRunning, "Operation unavailable");
    }
    std::shared_ptr<excel::Application> Start() override {
        return workbook::MakeWorkbookApplication(state_);
    }

private:
    std::shared_ptr<workbook::ExcelState> state_;
};

} // namespace

InMemoryWorkbook::InMemoryWorkbook(excel::CellLimits limits)
    : state_(std::make_shared<workbook::ExcelState>()),
      launcher_(std::make_unique<InMemoryExcel>(state_)) {
    state_->sheetsInNewWorkbook = 1;
    state_->excelLimits = limits == excel::CellLimits::Excel;
}

void WriteFittedBlock(excel::Worksheet& sheet, const char* sheetName, std::int32_t top,
                      excel::CellBlock block, excel::CellLimits limits, Fitted* fitted) {
    if (limits == excel::CellLimits::Excel) {
        for (const std::string& note : excel::FitTextsToCells(block, top, sheetName)) {
            if (fitted) {
                fitted->Add(note);
            }
        }
    }
    sheet.Block(top, 1, top + block.rows - 1, block.columns)->SetValues(block);
}

excel::Workbook& InMemoryWorkbook::Book() {
    if (!book_) {
        book_ = launcher_->Start()->AddWorkbook();
    }
    return *book_;
}

std::unique_ptr<workbook::Workbook> InMemoryWorkbook::Take() {
    if (state_->workbooks.empty()) {
        throw Failure(kEFail, "the workbook could not be made");
    }
    return std::move(state_->workbooks.front());
}

void WriteHeadings(excel::Workbook& book, excel::Worksheet& sheet, const char* name,
                   std::span<const ColumnHeading> columns) {
    sheet.SetName(name);
    excel::CellBlock heading(1, static_cast<std::int32_t>(columns.size()));
    std::int32_t column = 0;
    for (const ColumnHeading& each : columns) {
        heading.At(0, column) = excel::TextCell(each.text);
        sheet.Columns(++column)->SetColumnWidth(each.width);
    }
    sheet.Block(1, 1, 1, heading.columns)->SetValues(heading);
    sheet.Rows(1)->SetFontBold(true);
    sheet.Activate();
    sheet.Rows(2)->Select();
    book.FreezePanes();
}

} // namespace pw::batch
