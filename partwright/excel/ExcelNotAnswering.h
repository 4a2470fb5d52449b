#pragma once

#include "shared/core/Failure.h"

namespace pw::excel {

// Excel no longer answers the export: its process ended or cut its connections (the user closed
// it, it crashed), or it kept rejecting calls (a cell being edited, a dialog open) past the time
// the program waits. Every further call would fail the same way, so the export stops.
class ExcelNotAnswering {
public:
    explicit ExcelNotAnswering(ResultCode code) : code_(code) {}
    ResultCode code() const noexcept { return code_; }

private:
    ResultCode code_;
};

// The codes by which COM reports a server that is no longer there.
bool IsExcelGone(ResultCode code);

// The codes by which COM reports a call that Excel rejected because it was busy.
bool IsExcelBusy(ResultCode code);

} // namespace pw::excel
