#pragma once

#include "shared/core/Failure.h"

#include <windows.h>

#include <string_view>

namespace pw::com {

// A Failure carrying hr, with the system's text for it after what was being done.
Failure HresultFailure(HRESULT hr, std::string_view what);

inline void ThrowIfFailed(HRESULT hr, std::string_view what) {
    if (FAILED(hr)) {
        throw HresultFailure(hr, what);
    }
}

} // namespace pw::com
