#include "WorkbookLauncher.h"

#include "StandinApplication.h"
#include "partwright/excel/ExcelCodes.h"
#include "shared/core/Failure.h"

namespace pw::standins {

std::shared_ptr<excel::Application> WorkbookLauncher::Attach() {
    if (!running || faults_->unreachable) {
        throw Failure(excel::kNotRunning, "Operation unavailable");
    }
    return MakeStandinApplication(state_, faults_, aside_);
}

std::shared_ptr<excel::Application> WorkbookLauncher::Start() {
    if (!startable || faults_->unreachable) {
        throw Failure(static_cast<ResultCode>(0x80080005u), "Server execution failed");
    }
    // Started by automation, Excel is not in the running-object table: attaching fails until a
    // user would have switched to it.
    ++starts;
    return MakeStandinApplication(state_, faults_, aside_);
}

} // namespace pw::standins
