#pragma once

#include "partwright/export/ExcelApi.h"
#include "shared/com/ComPtr.h"
#include "standins/workbook/WorkbookModel.h"

#include <windows.h>
#include <oaidl.h>

#include <memory>

namespace pw::standins {

// Excel's Application as an automation object over the workbook model, answering by name
// every member the export and the macro writer use, Excel's default members included.
com::ComPtr<IDispatch> MakeExcelApplication(std::shared_ptr<ExcelState> state);

} // namespace pw::standins
