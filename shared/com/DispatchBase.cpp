#include "DispatchBase.h"

#include "TextConvert.h"
#include "UniqueBstr.h"

#include <new>

namespace pw::com {

std::atomic<long>& ModuleReferences() {
    static std::atomic<long> references{0};
    return references;
}

DispatchBase::DispatchBase() {
    ++ModuleReferences();
}
DispatchBase::~DispatchBase() {
    --ModuleReferences();
}

HRESULT STDMETHODCALLTYPE DispatchBase::QueryInterface(REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DispatchBase::AddRef() {
    return ++references_;
}

ULONG STDMETHODCALLTYPE DispatchBase::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT STDMETHODCALLTYPE DispatchBase::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DispatchBase::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DispatchBase::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                                      DISPID* ids) {
    if (!names || !ids || count == 0) {
        return E_INVALIDARG;
    }
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    for (const Name& known : Names()) {
        if (_wcsicmp(known.name, names[0]) == 0) {
            ids[0] = known.id;
        }
    }
    if (ids[0] == DISPID_UNKNOWN || count > 1) {
        result = DISP_E_UNKNOWNNAME;
    }
    return result;
}

HRESULT STDMETHODCALLTYPE DispatchBase::Invoke(DISPID id, REFIID, LCID, WORD flags,
                                               DISPPARAMS* params, VARIANT* result,
                                               EXCEPINFO* exception, UINT* argumentError) {
    if (argumentError) {
        *argumentError = 0;
    }
    const DISPPARAMS none{};
    UniqueVariant answer;
    try {
        if (!Call(id, flags, params ? *params : none, answer)) {
            return DISP_E_MEMBERNOTFOUND;
        }
    } catch (const Failure& failure) {
        if (exception) {
            *exception = EXCEPINFO{};
            exception->scode = failure.code();
            exception->bstrDescription = UniqueBstr(Utf8ToWide(failure.what())).release();
            exception->bstrSource = UniqueBstr(L"Partwright stand-in").release();
        }
        return DISP_E_EXCEPTION;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
    if (result) {
        *result = answer.release();
    }
    return S_OK;
}

const VARIANT& DispatchBase::Argument(const DISPPARAMS& params, UINT index) {
    const UINT positional = params.cArgs - params.cNamedArgs;
    if (index >= positional) {
        throw Failure(DISP_E_BADPARAMCOUNT, "Invalid number of parameters.");
    }
    const VARIANT& argument = params.rgvarg[positional - 1 - index];
    if (argument.vt == (VT_VARIANT | VT_BYREF) && argument.pvarVal) {
        return *argument.pvarVal;
    }
    return argument;
}

} // namespace pw::com
