#pragma once

#include "partwright/excel/ExcelApi.h"

#include <cstdint>

namespace pw::macros {

inline constexpr const char* kMacroModuleName = "Partwright";

// What the user is to tick in Excel when it refuses the workbook's macro project.
#define PW_TRUST_ACCESS_STEPS                                                                      \
    "In Excel, open File > Options > Trust Center > Trust Center Settings > Macro Settings, "      \
    "tick \"Trust access to the VBA project object model\", "
// "Push Image Code" refused by Excel for that reason.
inline constexpr const char* kPushMacrosNotTrustedMessage =
    "Excel did not let Partwright add the workbook's macros.\r\n\r\n" PW_TRUST_ACCESS_STEPS
    "and press \"Push Image Code\" again.";

// Adds the standard module "Partwright" with the workbook macros to Excel's active workbook:
// PreviewImage always, and FindMe2, AddPartToAssy and FillTMatrix when "Make Builder" is ticked
// (chkBuildValue 1). indentColumns is the Indented BOM's N. Reaching Excel absorbs its own
// failure; every later failure ends the writing and is raised to the caller, leaving what was
// added so far in the workbook; a macro project Excel refuses fails with
// kPushMacrosNotTrustedMessage. This form attaches to a running Excel or starts one.
void WriteMacros(excel::ExcelLauncher& launcher, int chkBuildValue, std::int16_t indentColumns);

// The same, into the active workbook of an Excel already reached (the export's own: an Excel
// started by automation cannot be attached to again).
void WriteMacros(excel::Application& app, int chkBuildValue, std::int16_t indentColumns);

// The same, into the macro project of a workbook already in hand: the export's own, whatever
// workbook the user has made active since.
void WriteMacros(excel::VBProject& project, int chkBuildValue, std::int16_t indentColumns);

} // namespace pw::macros
