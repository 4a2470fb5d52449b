#pragma once

#include "WorkbookModel.h"

#include <set>
#include <string>

namespace pw::workbook {

// The drawing part of a sheet's pictures: one anchor per picture, at its cell, that moves with
// the cell but keeps its size. Each image is named once in the drawing's relations, however many
// cells show it, as "../media/imageN.png" (N its place in the workbook's images, from 1); the
// images used are added to `used`.
struct DrawingParts {
    std::string drawing;
    std::string relations;
};
DrawingParts SheetDrawing(const Sheet& sheet, const Workbook& book, std::set<std::size_t>& used);

// The media part of the workbook's image at `place`.
std::string ImagePartName(std::size_t place);

} // namespace pw::workbook
