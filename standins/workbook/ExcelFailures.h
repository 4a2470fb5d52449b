#pragma once

#include "partwright/excel/ExcelCodes.h"
#include "shared/core/Failure.h"

#include <cstdint>
#include <string>

// The codes the stand-in Excel fails with: Excel's own.
namespace pw::standins {

using excel::kBadIndex;
inline constexpr ResultCode kExcelError = excel::kApplicationError;
using excel::kNotSupported;
using excel::kObjectNotSet;
inline constexpr std::int32_t kLastCellKind = 11;

[[noreturn]] inline void Refuse(const std::string& message) {
    throw Failure(kExcelError, message);
}

// A member the object has not: Excel's answer to a member asked of the wrong kind of object.
[[noreturn]] inline void RefuseUnsupported() {
    throw Failure(kNotSupported, "Object doesn't support this property or method");
}

} // namespace pw::standins
