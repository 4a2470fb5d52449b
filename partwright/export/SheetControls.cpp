#include "SheetControls.h"

#include "CellText.h"

namespace pw::excel {
namespace {

constexpr double kButtonHeight = 14;
constexpr std::int32_t kBoxBorderColor = 32768;  // green 128
constexpr std::int32_t kBoxFillColor = 13434838; // red 214, green 255, blue 204

} // namespace

void AddMacroButton(Application& app, Worksheet& sheet, double left, double width,
                    const std::string& caption, const std::string& macro) {
    sheet.AddButton(left, 0, width, kButtonHeight)->Select();
    const auto selected = app.SelectedShape();
    selected->SetOnAction(macro);
    selected->SetCaption(caption);
}

void AddLevelCheckbox(Worksheet& sheet, std::int32_t row, std::int16_t column,
                      const std::string& text) {
    const auto cell = sheet.Cells(row, column);
    cell->Select();
    sheet.AddCheckBox(cell->Left(), cell->Top(), cell->Width(), cell->RowHeight())->Select();
    const auto box = sheet.CheckBox(sheet.CheckBoxCount());
    if (!text.empty() && text.front() == 'A') {
        box->SetOnAction("FindMe2");
    }
    box->SetLinkedCell(AbsoluteReference(row, column));
    box->SetText(text);
    box->SetBorderColor(kBoxBorderColor);
    box->SetInteriorColor(kBoxFillColor);
    box->SetValue(kCheckBoxOff);
}

} // namespace pw::excel
