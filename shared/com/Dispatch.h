#pragma once

#include "ComPtr.h"
#include "UniqueVariant.h"
#include "shared/core/Failure.h"

#include <oaidl.h>

#include <concepts>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pw::com {

// A member of a dispatch interface, chosen by identifier or by name.
class Member {
public:
    // A template so that a literal 0 (DISPID_VALUE) means the default member, not a null name.
    template <std::integral Id> Member(Id id) : id_(static_cast<DISPID>(id)), byName_(false) {}
    Member(const char* name) : name_(name) {}
    Member(std::string name) : name_(std::move(name)) {}

    bool byName() const noexcept { return byName_; }
    DISPID id() const noexcept { return id_; }
    const std::string& name() const noexcept { return name_; }
    // How the member appears in failure messages.
    std::string Label() const;

private:
    DISPID id_ = DISPID_UNKNOWN;
    std::string name_;
    bool byName_ = true;
};

struct NamedArg {
    std::string name;
    UniqueVariant value;
};

inline UniqueVariant ToVariant(UniqueVariant value) {
    return value;
}
inline UniqueVariant ToVariant(bool value) {
    return UniqueVariant(value);
}
inline UniqueVariant ToVariant(std::int16_t value) {
    return UniqueVariant(value);
}
inline UniqueVariant ToVariant(std::int32_t value) {
    return UniqueVariant(value);
}
inline UniqueVariant ToVariant(double value) {
    return UniqueVariant(value);
}
inline UniqueVariant ToVariant(std::string_view utf8) {
    return UniqueVariant(utf8);
}
inline UniqueVariant ToVariant(const char* utf8) {
    return UniqueVariant(utf8);
}
inline UniqueVariant ToVariant(const std::string& utf8) {
    return UniqueVariant(std::string_view(utf8));
}

// Late-bound calls on one IDispatch object. Names are resolved once per object and kept;
// arguments are given in their natural order. A failing call raises a Failure with the HRESULT
// and, when the object raised an exception, its own description.
class DispatchObject {
public:
    DispatchObject() = default;
    explicit DispatchObject(ComPtr<IDispatch> object);
    // The object a VARIANT holds (VT_DISPATCH, or VT_UNKNOWN that answers IDispatch).
    static DispatchObject FromVariant(const VARIANT& value);
    static DispatchObject Create(const CLSID& classId);
    static DispatchObject Create(std::string_view progId);

    IDispatch* get() const noexcept { return object_.get(); }
    explicit operator bool() const noexcept { return static_cast<bool>(object_); }

    DISPID IdOf(const std::string& name);

    // Objects of one kind share their names' identifiers, so each name is looked up once.
    using NameCache = std::map<std::string, DISPID>;
    DispatchObject& ShareNames(std::shared_ptr<NameCache> cache) {
        ids_ = std::move(cache);
        return *this;
    }

    UniqueVariant Invoke(const Member& member, WORD flags, std::span<const UniqueVariant> args,
                         std::span<const NamedArg> named = {});

    // A read or a method call, sent as late-binding script clients send both:
    // DISPATCH_METHOD | DISPATCH_PROPERTYGET. A server that dispatches from its type library
    // refuses a method invoked as a property get alone, and the combination suits either kind.
    template <class... Args> UniqueVariant Get(const Member& member, Args&&... args) {
        return InvokeWith(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                          std::forward<Args>(args)...);
    }
    template <class... Args> UniqueVariant Call(const Member& member, Args&&... args) {
        return Get(member, std::forward<Args>(args)...);
    }
    // As Get, but when the object answers with the code `absent` (its own or that of the
    // exception it raised), nothing: for reads whose failure is common and no error.
    template <class... Args>
    std::optional<UniqueVariant> GetUnless(HRESULT absent, const Member& member, Args&&... args) {
        const UniqueVariant values[] = {UniqueVariant(), ToVariant(std::forward<Args>(args))...};
        return InvokeUnless(absent, member, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                            std::span(values).subspan(1));
    }
    template <class... Args> DispatchObject GetObject(const Member& member, Args&&... args) {
        return FromVariant(Get(member, std::forward<Args>(args)...).get());
    }
    // Put(member, index..., value): the value comes last, as in the property's own signature.
    template <class... Args> void Put(const Member& member, Args&&... argsThenValue) {
        InvokeWith(member, DISPATCH_PROPERTYPUT, std::forward<Args>(argsThenValue)...);
    }
    UniqueVariant CallNamed(const Member& member, std::initializer_list<NamedArg> named) {
        return Invoke(member, DISPATCH_METHOD, {}, std::span(named.begin(), named.size()));
    }

private:
    template <class... Args>
    UniqueVariant InvokeWith(const Member& member, WORD flags, Args&&... args) {
        const UniqueVariant values[] = {UniqueVariant(), ToVariant(std::forward<Args>(args))...};
        return Invoke(member, flags, std::span(values).subspan(1));
    }
    std::vector<DISPID> IdsOf(const Member& member, std::span<const NamedArg> named);
    std::optional<UniqueVariant> InvokeUnless(HRESULT absent, const Member& member, WORD flags,
                                              std::span<const UniqueVariant> args,
                                              std::span<const NamedArg> named = {});

    ComPtr<IDispatch> object_;
    // Made at the first name asked: most objects are only ever called by identifier.
    std::shared_ptr<NameCache> ids_;
};

// An out-parameter of a call: the callee writes into `slot`, which must outlive the call.
inline UniqueVariant OutArgument(LONG& slot) {
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &slot;
    return UniqueVariant::Attach(reference);
}

inline UniqueVariant ToVariant(const DispatchObject& object) {
    return UniqueVariant(object.get());
}

} // namespace pw::com
