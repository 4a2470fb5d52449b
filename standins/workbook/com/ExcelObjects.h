#pragma once

#include "partwright/excel/ExcelApi.h"
#include "shared/com/ComPtr.h"
#include "standins/workbook/ExcelFaults.h"
#include "standins/workbook/ExcelState.h"
#include "standins/workbook/ShapesAndModules.h"

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <memory>

namespace pw::standins {

// Excel's Application as an automation object over the workbook model, with `faults` applied,
// dispatching from the stand-in's type library; Quit calls `quit`.
com::ComPtr<IDispatch> MakeExcelApplication(std::shared_ptr<ExcelState> state,
                                            std::shared_ptr<ExcelFaults> faults,
                                            std::shared_ptr<ShapesAndModules> aside,
                                            std::function<void()> quit);

} // namespace pw::standins
