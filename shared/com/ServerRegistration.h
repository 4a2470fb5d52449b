#pragma once

#include <windows.h>

#include <string>

// The registry entries of an in-process COM server, written by DllRegisterServer and removed,
// exactly those, by DllUnregisterServer.
namespace pw::com {

struct InprocClass {
    CLSID classId;
    const wchar_t* description;
    const wchar_t* progId; // nullptr: the class has no programmatic identifier
};

// The full path of the DLL that holds `address`.
std::wstring ModulePathOf(const void* address);

HRESULT RegisterInprocClass(const InprocClass& entry, const std::wstring& modulePath);
HRESULT UnregisterInprocClass(const InprocClass& entry);

std::wstring GuidText(const GUID& guid);

} // namespace pw::com
