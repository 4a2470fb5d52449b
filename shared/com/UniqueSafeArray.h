#pragma once

#include "shared/core/UniqueResource.h"

#include <windows.h>
#include <oleauto.h>

namespace pw::com {

inline void DestroySafeArray(SAFEARRAY* array) noexcept {
    SafeArrayDestroy(array);
}

using UniqueSafeArray = UniqueResource<SAFEARRAY*, DestroySafeArray>;

} // namespace pw::com
