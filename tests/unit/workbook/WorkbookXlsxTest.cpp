#include "partwright/workbook/WorkbookXlsx.h"

#include "shared/core/Failure.h"

#include <gtest/gtest.h>

namespace pw::workbook {
namespace {

Workbook OneSheet(const std::string& name) {
    Workbook book;
    book.sheets.push_back(std::make_unique<Sheet>());
    book.sheets.back()->name = name;
    return book;
}

// Excel would refuse the whole file; a clear failure names the sheet instead.
TEST(WorkbookXlsx, ASheetBeyondExcelsGridIsRefusedByName) {
    Workbook rows = OneSheet("Indented BOM");
    rows.sheets.back()->At(1'048'577, 1).entry = {CellKind::Number, {}, 1};
    try {
        WorkbookXlsx(rows);
        FAIL() << "a sheet of 1048577 rows was written";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "the sheet \"Indented BOM\" needs 1048577 rows and 1 columns; "
                                     "a worksheet holds at most 1048576 rows and 16384 columns");
    }
    Workbook columns = OneSheet("Summary BOM");
    columns.sheets.back()->At(1, 16'385).entry = {CellKind::Number, {}, 1};
    EXPECT_THROW(WorkbookXlsx(columns), Failure);

    Workbook fits = OneSheet("Summary BOM");
    fits.sheets.back()->At(1'048'576, 16'384).entry = {CellKind::Number, {}, 1};
    EXPECT_EQ(WorkbookXlsx(fits).substr(0, 2), "PK");
}

} // namespace
} // namespace pw::workbook
