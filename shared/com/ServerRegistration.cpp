#include "ServerRegistration.h"

#include "UniqueHandle.h"

#include <objbase.h>

namespace pw::com {
namespace {

HRESULT SetText(HKEY root, const std::wstring& key, const wchar_t* name,
                const std::wstring& value) {
    const LSTATUS status =
        RegSetKeyValueW(root, key.c_str(), name, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(status);
}

HRESULT SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    return SetText(HKEY_CLASSES_ROOT, key, name, value);
}

HRESULT DeleteTree(HKEY root, const std::wstring& key) {
    const LSTATUS status = RegDeleteTreeW(root, key.c_str());
    if (status == ERROR_SUCCESS) {
        RegDeleteKeyW(root, key.c_str());
    }
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK
                                                                     : HRESULT_FROM_WIN32(status);
}

HRESULT DeleteTree(const std::wstring& key) {
    return DeleteTree(HKEY_CLASSES_ROOT, key);
}

// The classes of the 32-bit registry view, where a 32-bit client looks classes and interfaces
// up; keys made or removed below it stay in that view.
class Classes32 {
public:
    Classes32() {
        status_ = RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes", 0, nullptr, 0,
                                  KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, key_.put(), nullptr);
    }

    HRESULT SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value) const {
        return key_ ? com::SetText(key_.get(), key, name, value) : HRESULT_FROM_WIN32(status_);
    }
    HRESULT DeleteTree(const std::wstring& key) const {
        return key_ ? com::DeleteTree(key_.get(), key) : HRESULT_FROM_WIN32(status_);
    }

private:
    UniqueRegistryKey key_;
    LSTATUS status_ = ERROR_SUCCESS;
};

// The universal marshaler, which marshals an interface from its type library.
constexpr const wchar_t* kTypeLibMarshaler = L"{00020424-0000-0000-C000-000000000046}";

// The surrogate's entries: the AppID naming the system's surrogate (an empty DllSurrogate),
// and in the 32-bit view the class with that AppID and no server of its own, so that COM starts
// the surrogate for it, and its interfaces marshaled from the type library.
HRESULT RegisterSurrogate(const ServerClass& entry) {
    const std::wstring id = GuidText(entry.classId);
    const Classes32 classes32;
    HRESULT hr = SetText(L"CLSID\\" + id, L"AppID", id);
    if (SUCCEEDED(hr)) {
        hr = SetText(L"AppID\\" + id, nullptr, entry.description);
    }
    if (SUCCEEDED(hr)) {
        hr = SetText(L"AppID\\" + id, L"DllSurrogate", L"");
    }
    if (SUCCEEDED(hr)) {
        hr = classes32.SetText(L"CLSID\\" + id, nullptr, entry.description);
    }
    if (SUCCEEDED(hr)) {
        hr = classes32.SetText(L"CLSID\\" + id, L"AppID", id);
    }
    if (SUCCEEDED(hr) && entry.progId) {
        hr = classes32.SetText(L"CLSID\\" + id + L"\\ProgID", nullptr, entry.progId);
    }
    for (const IID& iid : entry.interfaces) {
        const std::wstring key = L"Interface\\" + GuidText(iid);
        if (SUCCEEDED(hr)) {
            hr = classes32.SetText(key + L"\\ProxyStubClsid32", nullptr, kTypeLibMarshaler);
        }
        if (SUCCEEDED(hr) && entry.typeLib) {
            hr = classes32.SetText(key + L"\\TypeLib", nullptr, GuidText(*entry.typeLib));
        }
        if (SUCCEEDED(hr) && entry.typeLib && entry.typeLibVersion) {
            hr = classes32.SetText(key + L"\\TypeLib", L"Version", entry.typeLibVersion);
        }
    }
    return hr;
}

HRESULT UnregisterSurrogate(const ServerClass& entry) {
    const std::wstring id = GuidText(entry.classId);
    const Classes32 classes32;
    HRESULT first = DeleteTree(L"AppID\\" + id);
    const auto keep = [&](HRESULT hr) {
        if (FAILED(hr) && SUCCEEDED(first)) {
            first = hr;
        }
    };
    keep(classes32.DeleteTree(L"CLSID\\" + id));
    for (const IID& iid : entry.interfaces) {
        keep(classes32.DeleteTree(L"Interface\\" + GuidText(iid)));
    }
    return first;
}

} // namespace

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
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
    if (SUCCEEDED(hr) && entry.surrogate && kind == ServerKind::InProcess) {
        hr = RegisterSurrogate(entry);
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
        if (SUCCEEDED(hr) && entry.surrogate) {
            hr = UnregisterSurrogate(entry);
        }
        if (FAILED(hr) && SUCCEEDED(first)) {
            first = hr;
        }
    }
    return first;
}

} // namespace pw::com
