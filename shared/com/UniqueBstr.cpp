#include "UniqueBstr.h"

#include <new>

namespace pw::com {

UniqueBstr::UniqueBstr(std::wstring_view text)
    : UniqueResource(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!get()) {
        throw std::bad_alloc();
    }
}

std::wstring UniqueBstr::str() const {
    return get() ? std::wstring(get(), SysStringLen(get())) : std::wstring();
}

} // namespace pw::com
