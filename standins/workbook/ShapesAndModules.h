#pragma once

#include "partwright/workbook/WorkbookModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// What Excel keeps beside a workbook's cells and an .xlsx does not hold: the sheets' buttons and
// check boxes, and each workbook's VBA modules.
namespace pw::standins {

enum class ShapeKind { Button, CheckBox };

inline constexpr std::int32_t kBoxOn = 1;
inline constexpr std::int32_t kBoxOff = -4146;
inline constexpr std::int32_t kBoxMixed = 2;

struct StoredShape {
    ShapeKind kind = ShapeKind::Button;
    std::string name; // "Button 1", "Check Box 2": numbered across the sheet's shapes
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    std::string onAction;
    std::string text; // a button's caption; a check box's text, also its alternative text
    std::string linkedCell;
    std::optional<std::int32_t> borderColor;
    std::optional<std::int32_t> interiorColor;
    std::int32_t value = kBoxOff;
};

struct SheetShapes {
    std::vector<StoredShape> shapes;     // drawing order
    std::vector<std::size_t> checkBoxes; // their places among shapes, in drawing order
    // The check boxes linked to each cell, by Sheet::Key: a box and its cell are one value.
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> boxesOfCell;
    std::optional<std::size_t> selected; // a shape selected instead of a cell
    int nextShapeNumber = 1;
};

struct MacroModule {
    std::string name;
    std::int32_t type = 1; // 1 standard module, 100 document module
    std::string code;
    std::vector<std::string> addedTexts; // each AddFromString text, as handed over
};

class ShapesAndModules {
public:
    SheetShapes& Shapes(const workbook::Sheet& sheet) { return shapes_[&sheet]; }
    // Nothing when the sheet never had a shape.
    const SheetShapes* FindShapes(const workbook::Sheet& sheet) const;
    // The workbook's modules: the document modules of the workbook and its sheets, named as the
    // sheets were when first asked for here (Excel keeps a renamed sheet's code name), then those
    // added since.
    std::vector<MacroModule>& Modules(const workbook::Workbook& book);
    // Modules(book) without keeping it: a workbook never reached through the automation interface
    // (one the user opened) has its document modules only.
    std::vector<MacroModule> ModulesOf(const workbook::Workbook& book) const;

private:
    std::unordered_map<const workbook::Sheet*, SheetShapes> shapes_;
    std::unordered_map<const workbook::Workbook*, std::vector<MacroModule>> modules_;
};

// What a check box shows for its linked cell: TRUE on, FALSE or nothing off, anything else
// mixed.
std::int32_t BoxValueOf(const workbook::CellEntry& entry);

// The check boxes linked to cells of rows top..bottom and columns left..right take the cells'
// values.
void FollowLinkedCells(const workbook::Sheet& sheet, SheetShapes& shapes, std::int32_t top,
                       std::int32_t left, std::int32_t bottom, std::int32_t right);

// A check box's new value, written into its linked cell as Excel writes it (TRUE, FALSE, #N/A)
// and so shown by every other box linked to that cell.
void SetBoxValue(workbook::Sheet& sheet, SheetShapes& shapes, StoredShape& box, std::int32_t value);

} // namespace pw::standins
