#pragma once

#include "ComObject.h"
#include "ComPtr.h"

#include <unknwn.h>

namespace pw::com {

// Makes the objects of one class for DllGetClassObject; `create` hands back a new object with
// one reference, or fails with an HRESULT.
class ClassFactory : public ComObject<IClassFactory> {
public:
    using Creator = HRESULT (*)(REFIID iid, void** out);
    explicit ClassFactory(Creator create) : create_(create) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

protected:
    bool Answers(REFIID iid) const override { return iid == IID_IClassFactory; }

private:
    Creator create_;
};

// Answers DllGetClassObject for a class whose objects `create` makes.
HRESULT GetClassObject(ClassFactory::Creator create, REFIID iid, void** out);

} // namespace pw::com
