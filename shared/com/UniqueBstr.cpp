#include "UniqueBstr.h"

#include <new>

namespace pw::com {

UniqueBstr::UniqueBstr(std::wstring_view text)
    : bstr_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!bstr_) {
        throw std::bad_alloc();
    }
}

std::wstring UniqueBstr::str() const {
    return bstr_ ? std::wstring(bstr_, SysStringLen(bstr_)) : std::wstring();
}

} // namespace pw::com
