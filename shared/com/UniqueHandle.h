#pragma once

#include "shared/core/UniqueResource.h"

#include <windows.h>

namespace pw::com {

inline bool IsKernelHandle(HANDLE handle) noexcept {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}
inline void CloseKernelHandle(HANDLE handle) noexcept {
    CloseHandle(handle);
}
inline void CloseFindHandle(HANDLE search) noexcept {
    FindClose(search);
}
inline void CloseRegistryKey(HKEY key) noexcept {
    RegCloseKey(key);
}
inline void FreeLocalMemory(void* memory) noexcept {
    LocalFree(memory);
}

// A kernel handle (file, event, ...); INVALID_HANDLE_VALUE and null both mean none.
using UniqueHandle = UniqueResource<HANDLE, CloseKernelHandle, IsKernelHandle>;
// A search of FindFirstFileW.
using UniqueFindHandle = UniqueResource<HANDLE, CloseFindHandle, IsKernelHandle>;
using UniqueRegistryKey = UniqueResource<HKEY, CloseRegistryKey>;
// Memory the system allocated for the caller (FormatMessage's text).
using UniqueLocalMemory = UniqueResource<void*, FreeLocalMemory>;

} // namespace pw::com
