#pragma once

#include <string>
#include <string_view>

// Text as the parts of an .xlsx file hold it.
namespace pw::workbook {

// Appends text escaped for an XML attribute or element; what XML cannot hold becomes U+FFFD.
void AppendEscaped(std::string& out, std::string_view text);

// Appends a cell's text as Excel writes it: a control character or a non-character (U+FFFE,
// U+FFFF) that XML cannot hold becomes "_xHHHH_", and text that already reads as such an escape
// keeps its underscore as "_x005F_", so that every value reads back as it was.
void AppendCellText(std::string& out, std::string_view text);

} // namespace pw::workbook
