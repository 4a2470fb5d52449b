#pragma once

#include "ComObject.h"
#include "ComPtr.h"
#include "UniqueVariant.h"
#include "shared/core/Failure.h"

#include <oaidl.h>

#include <atomic>
#include <span>
#include <string_view>
#include <utility>

namespace pw::com {

// A late-bound automation object without a type library: its members are answered by dispatch
// identifier in Call, a few of them also by name. A Failure raised by Call reaches the caller as
// DISP_E_EXCEPTION with the failure's code and message; an unknown identifier gives
// DISP_E_MEMBERNOTFOUND. No C++ exception leaves the object.
class DispatchBase : public ComObject<IDispatch> {
public:
    struct Name {
        const wchar_t* name;
        DISPID id;
    };

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

protected:
    bool Answers(REFIID iid) const override { return iid == IID_IDispatch; }
    // Answers member `id`; returns false when the object has no such member.
    virtual bool Call(DISPID id, WORD flags, const DISPPARAMS& params, UniqueVariant& result) = 0;
    // The members that answer by name as well.
    virtual std::span<const Name> Names() const { return {}; }
    // The names of a member's parameters, in their order, for callers that name their arguments.
    virtual std::span<const wchar_t* const> ParameterNames(DISPID) const { return {}; }

    // The argument at index (0 = first), given by position or by name; a Failure when missing.
    static const VARIANT& Argument(const DISPPARAMS& params, UINT index);
    static bool HasArgument(const DISPPARAMS& params, UINT index);
    // The value of a property put.
    static const VARIANT& PutValue(const DISPPARAMS& params);
};

// Makes a reference-counted object; the returned pointer owns the first reference.
template <class T, class... Args> ComPtr<T> MakeObject(Args&&... args) {
    return ComPtr<T>::Attach(new T(std::forward<Args>(args)...));
}

// The object as a VARIANT result (VT_DISPATCH), handing over one reference.
template <class T> UniqueVariant ObjectResult(ComPtr<T> object) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DISPATCH;
    value.pdispVal = object.detach();
    return UniqueVariant::Attach(value);
}

} // namespace pw::com
