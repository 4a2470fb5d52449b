#pragma once

#include "shared/core/Failure.h"

#include <windows.h>

#include <functional>

namespace pw::tests {

// The code of the Failure that call raises, or S_OK when it raises none.
inline HRESULT FailureCodeOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Failure& failure) {
        return failure.code();
    }
    return S_OK;
}

} // namespace pw::tests
