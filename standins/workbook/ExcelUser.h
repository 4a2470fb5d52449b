#pragma once

#include "partwright/workbook/WorkbookModel.h"

#include <cstdint>
#include <string>

// The user in front of the stand-in, who works in Excel while a program automates it.
namespace pw::standins {

// The name of the workbook the user opens.
inline constexpr const char* kUserWorkbookName = "User Book";

// At Excel's `call`-th call the user opens a workbook of their own and clicks its second sheet:
// it becomes the active workbook, and that sheet its active sheet. Chains with any hook already
// set.
void UserOpensAWorkbookAtCall(workbook::ExcelState& state, std::uint64_t call);

} // namespace pw::standins
