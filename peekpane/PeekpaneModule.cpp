// Peekpane's entry points: a self-registering in-process automation server.
#include "ivImagePreview.h"
#include "shared/com/ClassFactory.h"
#include "shared/com/ComBoundary.h"
#include "shared/com/ComPtr.h"
#include "shared/com/ServerRegistration.h"

namespace {

using namespace pw;

const com::ServerClass kClasses[] = {{CLSID_ivImagePreview, L"Peekpane.ivImagePreview",
                                      L"Peekpane.ivImagePreview", peekpane::CreateImagePreview}};

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

extern "C" HRESULT __stdcall DllUnregisterServer() {
    const HRESULT library = UnRegisterTypeLib(LIBID_Peekpane, 1, 0, 1033, SYS_WIN64);
    const HRESULT preview = com::UnregisterServerClasses(kClasses);
    if (FAILED(preview)) {
        return preview;
    }
    return library == TYPE_E_REGISTRYACCESS || SUCCEEDED(library) ? S_OK : library;
}
