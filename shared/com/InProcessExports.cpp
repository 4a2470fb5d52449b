// The four exports of an in-process COM server, over the module's kInProcessServer.
#include "ComBoundary.h"
#include "ComObject.h"
#include "InProcessServer.h"
#include "ModulePath.h"

using namespace pw;

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
    return com::GetServerClassObject(com::kInProcessServer.classes, classId, iid, out);
}

// The library stays loaded while an object lives or a window of its own is open.
extern "C" HRESULT __stdcall DllCanUnloadNow() {
    return com::ModuleReferences() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT __stdcall DllRegisterServer() {
    return com::Guarded([] {
        const std::wstring path =
            com::ModulePathOf(reinterpret_cast<const void*>(&DllRegisterServer));
        HRESULT hr = com::RegisterServerClasses(com::kInProcessServer.classes,
                                                com::ServerKind::InProcess, path);
        if (SUCCEEDED(hr) && com::kInProcessServer.registerMore) {
            hr = com::kInProcessServer.registerMore();
        }
        return hr;
    });
}

// Removes everything registration wrote, and reports the first failure.
extern "C" HRESULT __stdcall DllUnregisterServer() {
    return com::Guarded([] {
        const HRESULT more =
            com::kInProcessServer.unregisterMore ? com::kInProcessServer.unregisterMore() : S_OK;
        const HRESULT classes = com::UnregisterServerClasses(com::kInProcessServer.classes);
        return FAILED(more) ? more : classes;
    });
}
