#pragma once

#include "ExcelFaults.h"
#include "standins/workbook/ExcelState.h"

#include <cstdint>
#include <string>

// The user in front of the stand-in, who works in Excel while a program automates it.
namespace pw::standins {

// The name of the workbook the user opens.
inline constexpr const char* kUserWorkbookName = "User Book";

// At Excel's `call`-th call the user opens a workbook of their own and clicks its second sheet:
// it becomes the active workbook, and that sheet its active sheet. Chains with whatever already
// runs at each call.
void UserOpensAWorkbookAtCall(ExcelState& state, ExcelFaults& faults, std::uint64_t call);

} // namespace pw::standins
