#pragma once

#include "WorkbookModel.h"
#include "partwright/excel/ExcelCodes.h"
#include "shared/core/Failure.h"

#include <string>

// What every member of the in-memory Excel does first, and the codes it fails with: Excel's own.
namespace pw::workbook {

inline constexpr ResultCode kUnavailable = excel::kServerUnavailable;
using excel::kBadIndex;
inline constexpr ResultCode kExcelError = excel::kApplicationError;
using excel::kNameConflict;
using excel::kNotSupported;
using excel::kObjectNotSet;
inline constexpr std::int32_t kLastCellKind = 11;

// Counts the call and fails it when Excel is unreachable.
inline void Enter(ExcelState& state) {
    if (state.unreachable) {
        throw Failure(kUnavailable, "The RPC server is unavailable.");
    }
    ++state.calls;
    if (state.onCall) {
        state.onCall();
    }
}

[[noreturn]] inline void Refuse(const std::string& message) {
    throw Failure(kExcelError, message);
}

} // namespace pw::workbook
