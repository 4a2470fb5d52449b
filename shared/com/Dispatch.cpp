#include "Dispatch.h"

#include "BusyServerRetry.h"
#include "ComFailure.h"
#include "TextConvert.h"

#include <algorithm>
#include <chrono>

namespace pw::com {
namespace {

// An Invoke's exception record, whose texts are freed with it and before each call that may
// fill it again.
class ExceptionInfo {
public:
    ExceptionInfo() = default;
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;
    ~ExceptionInfo() { Clear(); }

    EXCEPINFO* put() noexcept {
        Clear();
        return &info_;
    }
    // The record with its deferred part filled in.
    const EXCEPINFO& Filled() noexcept {
        if (info_.pfnDeferredFillIn) {
            info_.pfnDeferredFillIn(&info_);
            info_.pfnDeferredFillIn = nullptr;
        }
        return info_;
    }

private:
    void Clear() noexcept {
        SysFreeString(info_.bstrDescription);
        SysFreeString(info_.bstrSource);
        SysFreeString(info_.bstrHelpFile);
        info_ = {};
    }

    EXCEPINFO info_{};
};

// Raises the failure an Invoke reported, preferring the object's own description.
[[noreturn]] void ThrowInvokeFailure(HRESULT hr, ExceptionInfo& exception, const Member& member) {
    if (hr == DISP_E_EXCEPTION) {
        const EXCEPINFO& info = exception.Filled();
        HRESULT code = info.scode;
        if (code == S_OK) {
            code = info.wCode ? MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, info.wCode)
                              : DISP_E_EXCEPTION;
        }
        const std::string text =
            info.bstrDescription
                ? WideToUtf8(std::wstring(info.bstrDescription, SysStringLen(info.bstrDescription)))
                : std::string();
        if (!text.empty()) {
            throw Failure(code, text);
        }
        throw HresultFailure(code, member.Label());
    }
    throw HresultFailure(hr, member.Label());
}

// Makes a call again while a busy server turns it away, as long as the thread's retry allows.
template <class Call> HRESULT CallWhileBusy(Call&& call) {
    const auto firstTry = std::chrono::steady_clock::now();
    for (;;) {
        const HRESULT hr = call();
        BusyServerRetry* retry = BusyServerRetry::OfThisThread();
        if (!IsRejectedAsBusy(hr) || !retry || !retry->WaitToCallAgain(firstTry)) {
            return hr;
        }
    }
}

} // namespace

std::string Member::Label() const {
    return byName_ ? "member " + name_ : "member with DISPID " + CodeText(id_);
}

DispatchObject::DispatchObject(ComPtr<IDispatch> object) : object_(std::move(object)) {}

DispatchObject DispatchObject::FromVariant(const VARIANT& value) {
    ComPtr<IDispatch> object;
    if (value.vt == VT_DISPATCH && value.pdispVal) {
        object = ComPtr<IDispatch>(value.pdispVal);
    } else if (value.vt == VT_UNKNOWN && value.punkVal) {
        value.punkVal->QueryInterface(IID_IDispatch, object.put_void());
    }
    if (!object) {
        throw Failure(DISP_E_TYPEMISMATCH, "The value is not an automation object.");
    }
    return DispatchObject(std::move(object));
}

DispatchObject DispatchObject::Create(const CLSID& classId) {
    ComPtr<IDispatch> object;
    ThrowIfFailed(
        CoCreateInstance(classId, nullptr, CLSCTX_SERVER, IID_IDispatch, object.put_void()),
        "CoCreateInstance");
    return DispatchObject(std::move(object));
}

DispatchObject DispatchObject::Create(std::string_view progId) {
    CLSID classId;
    const std::wstring name = Utf8ToWide(progId);
    ThrowIfFailed(CLSIDFromProgID(name.c_str(), &classId),
                  "CLSIDFromProgID " + std::string(progId));
    return Create(classId);
}

DISPID DispatchObject::IdOf(const std::string& name) {
    if (!ids_) {
        ids_ = std::make_shared<NameCache>();
    }
    if (const auto found = ids_->find(name); found != ids_->end()) {
        return found->second;
    }
    const DISPID id = IdsOf(Member(name), {}).front();
    ids_->emplace(name, id);
    return id;
}

std::vector<DISPID> DispatchObject::IdsOf(const Member& member, std::span<const NamedArg> named) {
    if (!object_) {
        throw Failure(E_POINTER, "No automation object for " + member.Label() + ".");
    }
    std::vector<std::wstring> names;
    names.push_back(Utf8ToWide(member.name()));
    for (const NamedArg& arg : named) {
        names.push_back(Utf8ToWide(arg.name));
    }
    std::vector<LPOLESTR> pointers;
    for (std::wstring& name : names) {
        pointers.push_back(name.data());
    }
    std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
    const HRESULT hr = CallWhileBusy([&] {
        return object_->GetIDsOfNames(IID_NULL, pointers.data(), static_cast<UINT>(pointers.size()),
                                      LOCALE_USER_DEFAULT, ids.data());
    });
    if (FAILED(hr)) {
        throw HresultFailure(hr, "GetIDsOfNames " + member.Label());
    }
    return ids;
}

UniqueVariant DispatchObject::Invoke(const Member& member, WORD flags,
                                     std::span<const UniqueVariant> args,
                                     std::span<const NamedArg> named) {
    // Every failure raises: no code counts as absent.
    return *InvokeUnless(S_OK, member, flags, args, named);
}

std::optional<UniqueVariant> DispatchObject::InvokeUnless(HRESULT absent, const Member& member,
                                                          WORD flags,
                                                          std::span<const UniqueVariant> args,
                                                          std::span<const NamedArg> named) {
    std::vector<DISPID> namedIds;
    DISPID id = member.id();
    if (!named.empty()) {
        if (!member.byName()) {
            throw Failure(E_INVALIDARG, "Named arguments need a member given by name.");
        }
        namedIds = IdsOf(member, named);
        id = namedIds.front();
        namedIds.erase(namedIds.begin());
    } else if (member.byName()) {
        id = IdOf(member.name());
    }
    if (!object_) {
        throw Failure(E_POINTER, "No automation object for " + member.Label() + ".");
    }

    // DISPPARAMS wants named arguments first, then the positional ones in reverse order.
    std::vector<VARIANT> values;
    values.reserve(named.size() + args.size());
    for (const NamedArg& arg : named) {
        values.push_back(arg.value.get());
    }
    for (auto it = args.rbegin(); it != args.rend(); ++it) {
        values.push_back(it->get());
    }
    DISPID propertyPut = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = values.empty() ? nullptr : values.data();
    params.cArgs = static_cast<UINT>(values.size());
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &propertyPut;
        params.cNamedArgs = 1;
    } else if (!namedIds.empty()) {
        params.rgdispidNamedArgs = namedIds.data();
        params.cNamedArgs = static_cast<UINT>(namedIds.size());
    }

    UniqueVariant result;
    ExceptionInfo exception;
    UINT argError = 0;
    const HRESULT hr = CallWhileBusy([&] {
        return object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.put(),
                               exception.put(), &argError);
    });
    if (FAILED(absent) &&
        (hr == absent || (hr == DISP_E_EXCEPTION && exception.Filled().scode == absent))) {
        return std::nullopt;
    }
    if (FAILED(hr)) {
        ThrowInvokeFailure(hr, exception, member);
    }
    return result;
}

} // namespace pw::com
