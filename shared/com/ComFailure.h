#pragma once

#include "shared/core/Failure.h"

#include <windows.h>

#include <string_view>

namespace pw::com {

// A Failure carrying hr, with the system's text for it after what was being done.
Failure HresultFailure(HRESULT hr, std::string_view what);

// Throws the calling thread's last Win32 error as a Failure, after what was being done.
[[noreturn]] inline void ThrowLastError(std::string_view what) {
    throw HresultFailure(HRESULT_FROM_WIN32(GetLastError()), what);
}

inline void ThrowIfFailed(HRESULT hr, std::string_view what) {
    if (FAILED(hr)) {
        throw HresultFailure(hr, what);
    }
}

} // namespace pw::com
