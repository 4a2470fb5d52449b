#pragma once

#include "shared/com/ComPtr.h"
#include "shared/com/TextConvert.h"
#include "shared/com/UniqueBstr.h"
#include "shared/core/Failure.h"

#include <windows.h>

#include <string>

// Filling the out-parameters of a hand-written COM member, inside com::Guarded.
namespace pw::com {

// The slot an out-parameter writes into; a Failure with E_POINTER for a null one.
template <class T> T& Out(T* slot) {
    if (!slot) {
        throw Failure(E_POINTER, "Invalid pointer");
    }
    return *slot;
}

// Hands a new object to an out-parameter of one of its interfaces.
template <class Interface, class Object> HRESULT Hand(ComPtr<Object> object, Interface** out) {
    Out(out) = object.detach();
    return S_OK;
}

inline HRESULT HandText(const std::string& text, BSTR* out) {
    Out(out) = UniqueBstr(Utf8ToWide(text)).release();
    return S_OK;
}

} // namespace pw::com
