#pragma once

#include "ExportState.h"
#include "partwright/excel/ExcelApi.h"
#include "partwright/model/LoadReport.h"
#include "shared/core/Failure.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace pw::excel {

// One export's Excel: reached by attaching to a running one or starting one, shown, given a new
// workbook, and waited for while it is busy. One rule holds for every call: a call Excel turns
// away while busy is made again until the wait is over; any other failing call abandons its own
// step, which is counted, and the export goes on; an Excel that is gone, or busy past the wait,
// ends the export at once.
class ExcelSession {
public:
    ExcelSession(ExcelLauncher& launcher, model::StatusPort& view);

    // Runs `work` on the session's new workbook and says how it went; nothing is run when Excel
    // cannot be reached or refuses a workbook.
    ExportOutcome Run(const std::function<void(Workbook& book)>& work);

    // One step under the rule; the failure's code, kOk when it went through.
    ResultCode Step(const std::function<void()>& step);
    // A step the user's clicks may fail (a selection on a sheet the user just left): tried once
    // more before it counts.
    void StepTwice(const std::function<void()>& step);
    Application& Excel() { return *app_; }

    // A failure the export absorbed: counted, and the first one kept as the reason.
    void CountFailure(const std::string& reason);
    // A limit of Excel's met and kept to: counted apart from failures.
    void CountFitted(const std::string& reason);
    // The export's own status text, which a wait for a busy Excel shows over only for a while.
    void Status(const std::string& text);
    // Where a long sheet is, at most a few times a second, and not for one that fits one block.
    void Progress(const char* sheet, std::int32_t done, std::int32_t total);

private:
    // A step's failure, counted or not; Excel gone or busy past the wait ends the export.
    ResultCode Try(const std::function<void()>& step, bool counted);
    void Open(const std::function<void(Workbook& book)>& work);
    void Stopped(const std::string& status);

    ExcelLauncher& launcher_;
    model::StatusPort& view_;
    std::shared_ptr<Application> app_;
    std::shared_ptr<Workbook> book_; // the workbook this export made
    ExportOutcome outcome_;
    std::string lastFailure_; // the text of the step that failed last
    std::string shownStatus_; // the export's last status text
    bool waitShown_ = false;  // a wait for a busy Excel is shown over it
    std::chrono::steady_clock::time_point lastProgress_{};
};

} // namespace pw::excel
