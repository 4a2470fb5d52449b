#include "SheetControls.h"

#include "partwright/excel/CellAddress.h"

namespace pw::excel {
namespace {

constexpr double kButtonHeight = 14;
constexpr std::int32_t kBoxBorderColor = 32768;  // green 128
constexpr std::int32_t kBoxFillColor = 13434838; // red 214, green 255, blue 204

} // namespace

void AddMacroButton(Worksheet& sheet, double left, double width, const std::string& caption,
                    const std::string& macro) {
    const auto button = sheet.AddButton(left, 0, width, kButtonHeight);
    button->SetOnAction(macro);
    button->SetCaption(caption);
}

CheckboxPlace MeasureCheckboxPlace(Worksheet& sheet, std::int32_t row, std::int16_t column) {
    const auto cell = sheet.Cells(row, column);
    return {row, cell->Left(), cell->Top(), cell->Width(), cell->RowHeight()};
}

void AddLevelCheckbox(Worksheet& sheet, const CheckboxPlace& place, std::int32_t row,
                      std::int16_t column, const std::string& text) {
    // The rows below the first are as high as it: the export sets no data row's height.
    const double top = place.top + (row - place.row) * place.height;
    const auto box = sheet.AddCheckBox(place.left, top, place.width, place.height);
    if (!text.empty() && text.front() == 'A') {
        box->SetOnAction("FindMe2");
    }
    box->SetLinkedCell(AbsoluteReference(row, column));
    box->SetText(text);
}

void FinishLevelCheckboxes(Worksheet& sheet) {
    const auto boxes = sheet.AllCheckBoxes();
    boxes->SetBorderColor(kBoxBorderColor);
    boxes->SetInteriorColor(kBoxFillColor);
    boxes->SetValue(kCheckBoxOff);
}

} // namespace pw::excel
