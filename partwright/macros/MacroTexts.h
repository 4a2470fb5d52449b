#pragma once

#include <cstdint>
#include <string>

// The source texts of the workbook's macros, every line ended by a carriage return alone.
namespace pw::macros {

// Shows the preview of the current row's file; indentColumns is the Indented BOM's N.
std::string PreviewImageText(std::int16_t indentColumns);
// Ticks or clears the check boxes of a sub-assembly's rows together.
std::string FindMe2Text();
// Builds a new Inventor assembly from the ticked part rows.
std::string AddPartToAssyText();
// Turns a matrix text back into a matrix.
std::string FillTMatrixText();

} // namespace pw::macros
