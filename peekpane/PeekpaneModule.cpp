// Peekpane's entry points: a self-registering in-process automation server.
#include "ivImagePreview.h"
#include "shared/com/ClassFactory.h"
#include "shared/com/ComPtr.h"
#include "shared/com/ServerRegistration.h"

namespace {

using namespace pw;

const com::InprocClass kPreviewClass{CLSID_ivImagePreview, L"Peekpane.ivImagePreview",
                                     L"Peekpane.ivImagePreview"};

} // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (classId != CLSID_ivImagePreview) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return com::GetClassObject(peekpane::CreateImagePreview, iid, out);
}

// The library stays loaded while an object lives or the preview window is open.
extern "C" HRESULT __stdcall DllCanUnloadNow() {
    return com::ModuleReferences() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT __stdcall DllRegisterServer() {
    const std::wstring path = com::ModulePathOf(reinterpret_cast<const void*>(&DllRegisterServer));
    HRESULT hr = com::RegisterInprocClass(kPreviewClass, path);
    com::ComPtr<ITypeLib> library;
    if (SUCCEEDED(hr)) {
        hr = peekpane::LoadOwnTypeLib(library.put(), REGKIND_REGISTER);
    }
    return hr;
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
    const HRESULT library = UnRegisterTypeLib(LIBID_Peekpane, 1, 0, 1033, SYS_WIN64);
    const HRESULT preview = com::UnregisterInprocClass(kPreviewClass);
    if (FAILED(preview)) {
        return preview;
    }
    return library == TYPE_E_REGISTRYACCESS || SUCCEEDED(library) ? S_OK : library;
}
