#include "BatchSheets.h"

#include "partwright/export/CellText.h"

#include <memory>

namespace pw::batch {

workbook::Sheet& AddSheet(workbook::Workbook& book, const char* name) {
    auto sheet = std::make_unique<workbook::Sheet>();
    sheet->name = name;
    book.sheets.push_back(std::move(sheet));
    return *book.sheets.back();
}

workbook::SheetBlockWriter WriterOf(workbook::Sheet& sheet, excel::CellLimits limits,
                                    Fitted* fitted, const workbook::FileImages* pictures) {
    return workbook::SheetBlockWriter(
        sheet, limits,
        [fitted](const std::string& where) {
            if (fitted) {
                fitted->Add(where);
            }
        },
        pictures);
}

void WriteHeadings(workbook::Sheet& sheet, std::span<const ColumnHeading> columns) {
    std::int32_t column = 0;
    for (const ColumnHeading& each : columns) {
        sheet.columns[++column].width = each.width;
        workbook::TypeInto(sheet, 1, column, excel::TextCell(each.text), workbook::ThisYear());
    }
    sheet.rows[1].format.bold = true;
    sheet.frozenAt = {{2, 1}};
}

} // namespace pw::batch
