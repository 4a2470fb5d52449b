#include "ServerRegistration.h"

#include <objbase.h>

namespace pw::com {
namespace {

HRESULT SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    const LSTATUS status =
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(status);
}

HRESULT DeleteTree(const std::wstring& key) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    if (status == ERROR_SUCCESS) {
        RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
    }
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK
                                                                     : HRESULT_FROM_WIN32(status);
}

} // namespace

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring ModulePathOf(const void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCWSTR>(address), &module);
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

HRESULT GetServerClassObject(std::span<const ServerClass> classes, REFCLSID classId, REFIID iid,
                             void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    for (const ServerClass& entry : classes) {
        if (entry.classId == classId) {
            return GetClassObject(entry.create, iid, out);
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

namespace {

HRESULT RegisterClass(const ServerClass& entry, ServerKind kind, const std::wstring& modulePath) {
    const std::wstring classKey = L"CLSID\\" + GuidText(entry.classId);
    HRESULT hr = SetText(classKey, nullptr, entry.description);
    if (SUCCEEDED(hr) && kind == ServerKind::InProcess) {
        hr = SetText(classKey + L"\\InprocServer32", nullptr, modulePath);
        if (SUCCEEDED(hr)) {
            hr = SetText(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
        }
    } else if (SUCCEEDED(hr)) {
        hr = SetText(classKey + L"\\LocalServer32", nullptr, L"\"" + modulePath + L"\"");
    }
    if (SUCCEEDED(hr) && entry.typeLib) {
        hr = SetText(classKey + L"\\TypeLib", nullptr, GuidText(*entry.typeLib));
        if (SUCCEEDED(hr) && entry.typeLibVersion) {
            hr = SetText(classKey + L"\\Version", nullptr, entry.typeLibVersion);
        }
    }
    if (SUCCEEDED(hr) && entry.progId) {
        hr = SetText(classKey + L"\\ProgID", nullptr, entry.progId);
        if (SUCCEEDED(hr)) {
            hr = SetText(entry.progId, nullptr, entry.description);
        }
        if (SUCCEEDED(hr)) {
            hr = SetText(std::wstring(entry.progId) + L"\\CLSID", nullptr, GuidText(entry.classId));
        }
    }
    return hr;
}

} // namespace

HRESULT RegisterServerClasses(std::span<const ServerClass> classes, ServerKind kind,
                              const std::wstring& modulePath) {
    for (const ServerClass& entry : classes) {
        if (const HRESULT hr = RegisterClass(entry, kind, modulePath); FAILED(hr)) {
            return hr;
        }
    }
    return S_OK;
}

// Removes every class's entries even when one of them fails, and reports the first failure.
HRESULT UnregisterServerClasses(std::span<const ServerClass> classes) {
    HRESULT first = S_OK;
    for (const ServerClass& entry : classes) {
        HRESULT hr = DeleteTree(L"CLSID\\" + GuidText(entry.classId));
        if (SUCCEEDED(hr) && entry.progId) {
            hr = DeleteTree(entry.progId);
        }
        if (FAILED(hr) && SUCCEEDED(first)) {
            first = hr;
        }
    }
    return first;
}

} // namespace pw::com
