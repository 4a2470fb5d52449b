#include "WorkbookLauncher.h"

#include "partwright/excel/ExcelCodes.h"
#include "shared/core/Failure.h"

namespace pw::standins {

std::shared_ptr<excel::Application> WorkbookLauncher::Attach() {
    if (!running || state_->unreachable) {
        throw Failure(excel::kNotRunning, "Operation unavailable");
    }
    return workbook::MakeWorkbookApplication(state_);
}

std::shared_ptr<excel::Application> WorkbookLauncher::Start() {
    if (!startable || state_->unreachable) {
        throw Failure(static_cast<ResultCode>(0x80080005u), "Server execution failed");
    }
    // Started by automation, Excel is not in the running-object table: attaching fails until a
    // user would have switched to it.
    ++starts;
    return workbook::MakeWorkbookApplication(state_);
}

} // namespace pw::standins
