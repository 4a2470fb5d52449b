#pragma once

#include "partwright/workbook/WorkbookModel.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pw::standins {

// The cell a sheet's selection makes active (rows and columns select their first cell).
struct SheetSelection {
    std::int32_t row = 1;
    std::int32_t column = 1;
};

// An Excel session's state beside its workbooks' cells: which workbook is active, its window,
// the sheets a new workbook starts with in its language.
struct ExcelState {
    std::vector<std::unique_ptr<workbook::Workbook>> workbooks;
    std::optional<std::size_t> activeWorkbook;
    bool visible = false;
    std::int32_t windowState = -4137; // maximised, until told otherwise
    bool screenUpdating = true;
    int nextBookNumber = 1;
    int currentYear = workbook::ThisYear(); // the year a date typed without one falls in
    std::string sheetNamePrefix = "Sheet";  // "Tabelle" in a German Excel
    int sheetsInNewWorkbook = 3;            // Excel 2013 and later start a workbook with one
    // Excel's limits: a cell's 32,767 characters and a sheet's 65,530 hyperlinks. A workbook made
    // for CSV files, which have neither, goes without them.
    bool excelLimits = true;
    // The number Worksheets.Add names each workbook's next sheet with, counting every sheet
    // the workbook ever had.
    std::map<const workbook::Workbook*, int> nextSheetNumber;
    // Each sheet's selection, A1 until something on it is selected.
    std::map<const workbook::Sheet*, SheetSelection> selections;

    SheetSelection& SelectionOf(const workbook::Sheet& sheet) { return selections[&sheet]; }

    workbook::Workbook* ActiveWorkbook() const;
    // A workbook as Excel makes it: the default sheets of its language.
    std::unique_ptr<workbook::Workbook> NewWorkbook(const std::string& name);
};

} // namespace pw::standins
