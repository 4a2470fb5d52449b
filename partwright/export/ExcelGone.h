#pragma once

#include "shared/core/Failure.h"
#include "shared/core/Step.h"

#include <utility>

namespace pw::excel {

// Excel's process ended or cut its connections under the export (the user closed it, it
// crashed): every further call would fail the same way, so the export stops.
class ExcelGone {
public:
    explicit ExcelGone(ResultCode code) : code_(code) {}
    ResultCode code() const noexcept { return code_; }

private:
    ResultCode code_;
};

// The codes by which COM reports a server that is no longer there.
bool IsExcelGone(ResultCode code);

// One export step: a failure is absorbed as RunStep absorbs it, except that Excel having gone
// away raises ExcelGone. Returns the step's code (kOk on success).
template <class StepFn> ResultCode ExportStep(StepFn&& step) {
    const ResultCode code = RunStep(std::forward<StepFn>(step));
    if (IsExcelGone(code)) {
        throw ExcelGone(code);
    }
    return code;
}

} // namespace pw::excel
