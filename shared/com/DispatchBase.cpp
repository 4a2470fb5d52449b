#include "DispatchBase.h"

#include "TextConvert.h"
#include "UniqueBstr.h"

#include <new>

namespace pw::com {

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
    if (ids[0] == DISPID_UNKNOWN) {
        return DISP_E_UNKNOWNNAME;
    }
    const auto parameters = ParameterNames(ids[0]);
    for (UINT i = 1; i < count; ++i) {
        for (std::size_t p = 0; p < parameters.size(); ++p) {
            if (_wcsicmp(parameters[p], names[i]) == 0) {
                ids[i] = static_cast<DISPID>(p);
            }
        }
        if (ids[i] == DISPID_UNKNOWN) {
            result = DISP_E_UNKNOWNNAME;
        }
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

namespace {

const VARIANT* Find(const DISPPARAMS& params, DISPID index) {
    // Named arguments come first, the positional ones after them in reverse order.
    for (UINT k = 0; k < params.cNamedArgs; ++k) {
        if (params.rgdispidNamedArgs[k] == index) {
            return &params.rgvarg[k];
        }
    }
    const UINT positional = params.cArgs - params.cNamedArgs;
    if (index < 0 || static_cast<UINT>(index) >= positional) {
        return nullptr;
    }
    const VARIANT* argument = &params.rgvarg[params.cArgs - 1 - static_cast<UINT>(index)];
    if (argument->vt == (VT_VARIANT | VT_BYREF) && argument->pvarVal) {
        return argument->pvarVal;
    }
    // An omitted optional argument.
    return argument->vt == VT_ERROR && argument->scode == DISP_E_PARAMNOTFOUND ? nullptr : argument;
}

} // namespace

const VARIANT& DispatchBase::Argument(const DISPPARAMS& params, UINT index) {
    const VARIANT* argument = Find(params, static_cast<DISPID>(index));
    if (!argument) {
        throw Failure(DISP_E_PARAMNOTFOUND, "Argument not optional.");
    }
    return *argument;
}

bool DispatchBase::HasArgument(const DISPPARAMS& params, UINT index) {
    return Find(params, static_cast<DISPID>(index)) != nullptr;
}

const VARIANT& DispatchBase::PutValue(const DISPPARAMS& params) {
    const VARIANT* value = Find(params, DISPID_PROPERTYPUT);
    if (!value) {
        throw Failure(DISP_E_PARAMNOTFOUND, "A property put needs a value.");
    }
    return *value;
}

} // namespace pw::com
