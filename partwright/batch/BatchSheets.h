#pragma once

#include "partwright/excel/CellLimits.h"
#include "partwright/workbook/SheetWriting.h"
#include "partwright/workbook/WorkbookModel.h"

#include <cstdint>
#include <span>
#include <string>

// The sheets of the workbooks partwright-export writes, made straight in the workbook model.
namespace pw::batch {

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

// A sheet named `name` after the workbook's last.
workbook::Sheet& AddSheet(workbook::Workbook& book, const char* name);

// A writer of the sheet's blocks that tells each place fitted to Excel's limits to `fitted` and
// places the pictures of `pictures`.
workbook::SheetBlockWriter WriterOf(workbook::Sheet& sheet, excel::CellLimits limits,
                                    Fitted* fitted, const workbook::FileImages* pictures = nullptr);

// A column's heading and its width in characters.
struct ColumnHeading {
    const char* text;
    double width;
};

// A bold heading row, frozen above the rest, with the columns' widths.
void WriteHeadings(workbook::Sheet& sheet, std::span<const ColumnHeading> columns);

} // namespace pw::batch
