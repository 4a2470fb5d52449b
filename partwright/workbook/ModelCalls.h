#pragma once

#include "WorkbookModel.h"
#include "shared/core/Failure.h"

#include <string>

// What every member of the in-memory Excel does first, and the codes it fails with: Excel's own.
namespace pw::workbook {

inline constexpr ResultCode kUnavailable = static_cast<ResultCode>(0x800706BAu);
inline constexpr ResultCode kBadIndex = static_cast<ResultCode>(0x8002000Bu);
inline constexpr ResultCode kExcelError = static_cast<ResultCode>(0x800A03ECu);
inline constexpr ResultCode kObjectNotSet = static_cast<ResultCode>(0x800A005Bu);
inline constexpr ResultCode kNotSupported = static_cast<ResultCode>(0x800A01B6u);
inline constexpr ResultCode kNameConflict = static_cast<ResultCode>(0x800A802Du);
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
