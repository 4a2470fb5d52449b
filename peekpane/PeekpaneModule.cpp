// Peekpane's classes and type library, as its exports serve and register them.
#include "ivImagePreview.h"
#include "shared/com/ComPtr.h"
#include "shared/com/InProcessServer.h"
#include "shared/com/UniqueHandle.h"

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
    com::UniqueRegistryKey registered;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, registered.put()) !=
        ERROR_SUCCESS) {
        return S_OK;
    }
    return UnRegisterTypeLib(described.guid, described.wMajorVerNum, described.wMinorVerNum,
                             described.lcid, described.syskind);
}

// Registers the type library the module holds, as Excel's macros bind to it.
HRESULT RegisterOwnTypeLib() {
    com::ComPtr<ITypeLib> library;
    return peekpane::LoadOwnTypeLib(library.put(), REGKIND_REGISTER);
}

} // namespace

const pw::com::InProcessServer pw::com::kInProcessServer{kClasses, RegisterOwnTypeLib,
                                                         UnregisterOwnTypeLib};
