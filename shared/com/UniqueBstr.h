#pragma once

#include "shared/core/UniqueResource.h"

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace pw::com {

inline void FreeBstr(BSTR text) noexcept {
    SysFreeString(text);
}

// Owns one BSTR.
class UniqueBstr : public UniqueResource<BSTR, FreeBstr> {
public:
    UniqueBstr() noexcept = default;
    // A copy of text; a BSTR to own is handed over with reset or put.
    explicit UniqueBstr(std::wstring_view text);

    // The text with its full length (a BSTR may hold embedded zeros); empty for a null BSTR.
    std::wstring str() const;
};

} // namespace pw::com
