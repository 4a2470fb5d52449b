#pragma once

#include "shared/core/Failure.h"

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

// Excel kept rejecting calls (a cell being edited, a dialog open) past the time the program's
// message filter waits: the export stops rather than losing step after step.
class ExcelBusy {
public:
    explicit ExcelBusy(ResultCode code) : code_(code) {}
    ResultCode code() const noexcept { return code_; }

private:
    ResultCode code_;
};

// The codes by which COM reports a call that Excel rejected because it was busy.
bool IsExcelBusy(ResultCode code);

} // namespace pw::excel
