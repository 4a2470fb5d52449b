// Peekpane's entry points: a self-registering in-process automation server.
#include "ivImagePreview.h"
#include "shared/com/ClassFactory.h"
#include "shared/com/ComBoundary.h"
#include "shared/com/ComPtr.h"
#include "shared/com/ServerRegistration.h"

namespace {

using namespace pw;

const IID kMarshaled[] = {IID__ivImagePreview};

// 32-bit Excel, which cannot load this 64-bit library, reaches it through the DLL surrogate.
const com::ServerClass kClasses[] = {{CLSID_ivImagePreview, L"Peekpane.ivImagePreview",
                                      L"Peekpane.ivImagePreview", peekpane::CreateImagePreview,
                                      &LIBID_Peekpane, L"1.0", true, kMarshaled}};

// Removes the type library's registration as its own attributes name it (identifier, version,
// locale and system kind); a library that is not registered needs no removal.
HRESULT UnregisterOwnTypeLib() {
    com::ComPtr<ITypeLib> library;
    HRESULT hr = peekpane::LoadOwnTypeLib(library.put(), REGKIND_NONE);
    TLIBATTR* attributes = nullptr;
    if (SUCCEEDED(hr)) {
        hr = library->GetLibAttr(&attributes);
    }
    if (FAILED(hr)) {
        return hr;
    }
    const TLIBATTR described = *attributes;
    library->ReleaseTLibAttr(attributes);
    const std::wstring key = L"TypeLib\\" + com::GuidText(described.guid);
    HKEY registered = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &registered) != ERROR_SUCCESS) {
        return S_OK;
    }
    RegCloseKey(registered);
    return UnRegisterTypeLib(described.guid, described.wMajorVerNum, described.wMinorVerNum,
                             described.lcid, described.syskind);
}

} // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
    return com::GetServerClassObject(kClasses, classId, iid, out);
}

// The library stays loaded while an object lives or the preview window is open.
extern "C" HRESULT __stdcall DllCanUnloadNow() {
    return com::ModuleReferences() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT __stdcall DllRegisterServer() {
    return com::Guarded([] {
        const std::wstring path =
            com::ModulePathOf(reinterpret_cast<const void*>(&DllRegisterServer));
        HRESULT hr = com::RegisterServerClasses(kClasses, com::ServerKind::InProcess, path);
        com::ComPtr<ITypeLib> library;
        if (SUCCEEDED(hr)) {
            hr = peekpane::LoadOwnTypeLib(library.put(), REGKIND_REGISTER);
        }
        return hr;
    });
}

// Removes everything registration wrote, and reports the first failure.
extern "C" HRESULT __stdcall DllUnregisterServer() {
    return com::Guarded([] {
        const HRESULT library = UnregisterOwnTypeLib();
        const HRESULT preview = com::UnregisterServerClasses(kClasses);
        return FAILED(library) ? library : preview;
    });
}
