#pragma once

#include "ShapesAndModules.h"
#include "partwright/excel/ExcelApi.h"

#include <cstddef>
#include <memory>

// Buttons and check boxes as the automation interface reaches them.
namespace pw::standins {

// Adds a button or a check box, named and numbered as Excel does; returns its place.
std::size_t AddShape(SheetShapes& shapes, ShapeKind kind, double left, double top, double width,
                     double height);

std::shared_ptr<excel::Shape> MakeShape(workbook::Sheet& sheet, SheetShapes& shapes,
                                        std::size_t index);

// Every check box of a sheet at once, as the sheet's CheckBoxes collection.
std::shared_ptr<excel::Shape> MakeAllCheckBoxes(workbook::Sheet& sheet, SheetShapes& shapes);

} // namespace pw::standins
