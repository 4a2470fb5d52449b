#pragma once

#include <windows.h>

namespace pw::com {

// The HRESULT for the exception being handled, for the one place where a COM method, a DLL entry
// point or a window procedure meets C++: a Failure gives its code and leaves its message as the
// thread's error information (automation callers show it), std::bad_alloc gives E_OUTOFMEMORY,
// anything else E_UNEXPECTED. Call it only inside a catch block.
HRESULT HresultOfCaughtException() noexcept;

// Runs body, which returns an HRESULT, so that no C++ exception leaves it.
template <class Body> HRESULT Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return HresultOfCaughtException();
    }
}

} // namespace pw::com
