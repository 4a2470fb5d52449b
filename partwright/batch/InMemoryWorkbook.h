#pragma once

#include "partwright/excel/CellLimits.h"
#include "partwright/excel/ExcelApi.h"
#include "partwright/workbook/WorkbookModel.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace pw::batch {

// A workbook made in memory through Excel's automation interface, as the export makes one in
// Excel, starting with a single sheet.
class InMemoryWorkbook {
public:
    explicit InMemoryWorkbook(excel::CellLimits limits = excel::CellLimits::Excel);

    // The Excel that makes it: "started", never attached to.
    excel::ExcelLauncher& Launcher() { return *launcher_; }
    // Workbooks.Add on first use.
    excel::Workbook& Book();
    // The workbook made; "the workbook could not be made" when none was.
    std::unique_ptr<workbook::Workbook> Take();

private:
    std::shared_ptr<workbook::ExcelState> state_;
    std::unique_ptr<excel::ExcelLauncher> launcher_;
    std::shared_ptr<excel::Workbook> book_;
};

// Where a workbook was fitted to Excel's limits in the making: how often, and the first place.
struct Fitted {
    std::int32_t count = 0;
    std::string first;

    void Add(const std::string& where) {
        if (count++ == 0) {
            first = where;
        }
    }
};

// Writes a block at row `top`, column 1, its texts cut to a cell's size where the workbook has
// Excel's limits, each cut added to `fitted` with the sheet's name.
void WriteFittedBlock(excel::Worksheet& sheet, const char* sheetName, std::int32_t top,
                      excel::CellBlock block, excel::CellLimits limits, Fitted* fitted);

// A column's heading and its width in characters.
struct ColumnHeading {
    const char* text;
    double width;
};

// Names the sheet and gives it a bold heading row, frozen above the rest, with the columns'
// widths.
void WriteHeadings(excel::Workbook& book, excel::Worksheet& sheet, const char* name,
                   std::span<const ColumnHeading> columns);

} // namespace pw::batch
