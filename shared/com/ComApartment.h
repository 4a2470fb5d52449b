#pragma once

#include <windows.h>
#include <objbase.h>

namespace pw::com {

// The calling thread in a single-threaded apartment for a scope, as the program and Excel's
// macros run; everything COM made in the scope must be gone before it ends.
class ComApartment {
public:
    ComApartment() noexcept : started_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(started_)) {
            CoUninitialize();
        }
    }

    explicit operator bool() const noexcept { return SUCCEEDED(started_); }

private:
    HRESULT started_;
};

} // namespace pw::com
