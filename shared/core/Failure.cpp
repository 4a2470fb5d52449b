#include "Failure.h"

#include <cstdio>

namespace pw {

Failure::Failure(ResultCode code, const std::string& message)
    : std::runtime_error(message), code_(code) {}

OverflowError::OverflowError() : Failure(kOverflowCode, "Overflow") {}

std::string CodeText(ResultCode code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

} // namespace pw
