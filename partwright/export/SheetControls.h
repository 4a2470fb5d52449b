#pragma once

#include "partwright/excel/ExcelApi.h"

#include <cstdint>
#include <string>

// The form controls through which the workbook's macros are run.
namespace pw::excel {

// A form button over the top of row 1 (top 0, height 14 points) running `macro`.
void AddMacroButton(Worksheet& sheet, double left, double width, const std::string& caption,
                    const std::string& macro);

// Where the check boxes of a column go: the first row's cell, read once from Excel.
struct CheckboxPlace {
    std::int32_t row;
    double left;
    double top;
    double width;
    double height;
};
CheckboxPlace MeasureCheckboxPlace(Worksheet& sheet, std::int32_t row, std::int16_t column);

// A check box exactly over cell (row, column), linked to that cell; `text` is "A" or "P" and the
// row's depth, and assembly rows ("A") tick their sub-assembly's rows through "FindMe2".
void AddLevelCheckbox(Worksheet& sheet, const CheckboxPlace& place, std::int32_t row,
                      std::int16_t column, const std::string& text);

// What all check boxes share, set once for the sheet's CheckBoxes: green border, light green
// fill, not ticked.
void FinishLevelCheckboxes(Worksheet& sheet);

} // namespace pw::excel
