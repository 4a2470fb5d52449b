#pragma once

#include "DispatchBase.h"

#include <unknwn.h>

namespace pw::com {

// Makes the objects of one class for DllGetClassObject; `create` hands back a new object with
// one reference, or fails with an HRESULT.
class ClassFactory : public IClassFactory {
public:
    using Creator = HRESULT (*)(REFIID iid, void** out);
    explicit ClassFactory(Creator create) : create_(create) { ++ModuleReferences(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    virtual ~ClassFactory() { --ModuleReferences(); }

    Creator create_;
    std::atomic<ULONG> references_{1};
};

// Answers DllGetClassObject for a class whose objects `create` makes.
HRESULT GetClassObject(ClassFactory::Creator create, REFIID iid, void** out);

} // namespace pw::com
