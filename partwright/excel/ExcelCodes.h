#pragma once

#include "shared/core/Failure.h"

// The codes Excel's calls fail with, named once for the export, the workbook in memory and
// everything that answers as Excel does.
namespace pw::excel {

// Excel's own errors, as automation hands them over (facility "control", the VBA error number).
inline constexpr ResultCode kObjectNotSet = static_cast<ResultCode>(0x800A005Bu);     // 91
inline constexpr ResultCode kNotSupported = static_cast<ResultCode>(0x800A01B6u);     // 438
inline constexpr ResultCode kApplicationError = static_cast<ResultCode>(0x800A03ECu); // 1004
inline constexpr ResultCode kNameConflict = static_cast<ResultCode>(0x800A802Du);
// Automation's and COM's.
inline constexpr ResultCode kBadIndex = static_cast<ResultCode>(0x8002000Bu);   // DISP_E_BADINDEX
inline constexpr ResultCode kNotRunning = static_cast<ResultCode>(0x800401E3u); // MK_E_UNAVAILABLE
// Excel's process gone: ended, crashed, or its connections cut.
inline constexpr ResultCode kServerUnavailable = static_cast<ResultCode>(0x800706BAu);
inline constexpr ResultCode kCallFailed = static_cast<ResultCode>(0x800706BEu);
inline constexpr ResultCode kServerDied = static_cast<ResultCode>(0x80010007u);
inline constexpr ResultCode kServerDiedBeforeCall = static_cast<ResultCode>(0x80010012u);
inline constexpr ResultCode kDisconnected = static_cast<ResultCode>(0x80010108u);
inline constexpr ResultCode kNotConnected = static_cast<ResultCode>(0x800401FDu);
// Excel busy: a cell being edited, a dialog open.
inline constexpr ResultCode kCallRejected = static_cast<ResultCode>(0x80010001u);
inline constexpr ResultCode kRetryLater = static_cast<ResultCode>(0x8001010Au);

} // namespace pw::excel
