#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace pw {

// An HRESULT-style code: negative values are failures.
using ResultCode = std::int32_t;

inline constexpr ResultCode kOk = 0;
// The code by which the document server reports an unreachable (missing or unresolved) file.
inline constexpr ResultCode kEFail = static_cast<ResultCode>(0x80004005u);
// DISP_E_OVERFLOW: what automation reports when a value leaves its integer range.
inline constexpr ResultCode kOverflowCode = static_cast<ResultCode>(0x8002000Au);

// The one failure type of the system: whatever the outside world refused, with its code.
class Failure : public std::runtime_error {
public:
    Failure(ResultCode code, const std::string& message);
    ResultCode code() const noexcept { return code_; }

private:
    ResultCode code_;
};

// A 16-bit or 32-bit value left its range; raised instead of wrapping.
class OverflowError : public Failure {
public:
    OverflowError();
};

// "0x80004005": how codes appear in messages.
std::string CodeText(ResultCode code);

} // namespace pw
