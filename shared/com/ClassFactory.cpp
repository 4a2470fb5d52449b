#include "ClassFactory.h"

namespace pw::com {

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (outer) {
        return CLASS_E_NOAGGREGATION;
    }
    return create_(iid, out);
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL lock) {
    if (lock) {
        ++ModuleReferences();
    } else {
        ReleaseModuleReference();
    }
    return S_OK;
}

HRESULT GetClassObject(ClassFactory::Creator create, REFIID iid, void** out) {
    const auto factory = ComPtr<ClassFactory>::Attach(new ClassFactory(create));
    return factory->QueryInterface(iid, out);
}

} // namespace pw::com
