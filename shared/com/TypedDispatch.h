#pragma once

#include "ComObject.h"
#include "ComPtr.h"

#include <oaidl.h>
#include <oleauto.h>

namespace pw::com {

// The type library embedded as resource 1 in the module that holds `address`, loaded with `kind`
// (REGKIND_REGISTER also registers it).
HRESULT LoadEmbeddedTypeLib(const void* address, REGKIND kind, ITypeLib** library);

// The interface view of a dual interface in `library`, which DispInvoke calls through; a Failure
// when the library does not describe it.
ComPtr<ITypeInfo> InterfaceTypeInfo(ITypeLib& library, REFIID iid);

// The type library embedded in the module this code is linked into (pw_com is a static library,
// so each DLL and executable has its own), loaded once.
ITypeLib& OwnTypeLib();

// The interface view of Interface in the module's own type library, looked up once.
template <class Interface> ComPtr<ITypeInfo> OwnTypeInfo() {
    static const ComPtr<ITypeInfo> info = InterfaceTypeInfo(OwnTypeLib(), __uuidof(Interface));
    return info;
}

// An automation object whose IDispatch works from its interface's type information, as servers
// built from a type library do: names, member kinds, argument counts and types are checked by the
// system's DispInvoke, and a failing member reaches the caller as DISP_E_EXCEPTION with its code.
template <class Interface> class TypedDispatch : public ComObject<Interface> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) {
            return E_POINTER;
        }
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info) {
            return E_POINTER;
        }
        *info = nullptr;
        if (index != 0) {
            return DISP_E_BADINDEX;
        }
        *info = ComPtr<ITypeInfo>(typeInfo_.get()).detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        return DispGetIDsOfNames(typeInfo_.get(), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return DispInvoke(static_cast<Interface*>(this), typeInfo_.get(), id, flags, params, result,
                          exception, argumentError);
    }

protected:
    // Described by the module's own type library.
    TypedDispatch() : typeInfo_(OwnTypeInfo<Interface>()) {}

    bool Answers(REFIID iid) const override {
        return iid == IID_IDispatch || iid == __uuidof(Interface);
    }

private:
    ComPtr<ITypeInfo> typeInfo_;
};

} // namespace pw::com
