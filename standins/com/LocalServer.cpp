#include "LocalServer.h"

#include "shared/com/ComFailure.h"
#include "shared/com/ComObject.h"

#include <cwctype>
#include <memory>

namespace pw::com {
namespace {

bool HasSwitch(std::wstring_view commandLine, std::wstring_view name) {
    std::wstring lower(commandLine);
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    for (const wchar_t* prefix : {L"/", L"-"}) {
        if (lower.find(std::wstring(prefix) + std::wstring(name)) != std::wstring::npos) {
            return true;
        }
    }
    return false;
}

// A class object that lives as long as the process: COM's reference to it does not keep the
// server running.
class ProcessClassObject final : public IClassFactory {
public:
    explicit ProcessClassObject(ClassFactory::Creator create) : create_(create) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        return outer ? CLASS_E_NOAGGREGATION : create_(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            ++ModuleReferences();
        } else {
            ReleaseModuleReference();
        }
        return S_OK;
    }

private:
    ClassFactory::Creator create_;
};

std::vector<std::unique_ptr<ProcessClassObject>>& ClassObjects() {
    static std::vector<std::unique_ptr<ProcessClassObject>> objects;
    return objects;
}

} // namespace

LocalStart LocalStartOf(std::wstring_view commandLine) {
    if (HasSwitch(commandLine, L"unregserver")) {
        return LocalStart::Unregister;
    }
    if (HasSwitch(commandLine, L"regserver")) {
        return LocalStart::Register;
    }
    if (HasSwitch(commandLine, L"embedding") || HasSwitch(commandLine, L"automation")) {
        return LocalStart::Automation;
    }
    return LocalStart::User;
}

SingleUseClasses::SingleUseClasses(std::span<const ServerClass> classes) {
    for (const ServerClass& entry : classes) {
        auto& object =
            ClassObjects().emplace_back(std::make_unique<ProcessClassObject>(entry.create));
        DWORD cookie = 0;
        ThrowIfFailed(CoRegisterClassObject(entry.classId, object.get(), CLSCTX_LOCAL_SERVER,
                                            REGCLS_SINGLEUSE, &cookie),
                      "Offering a class");
        cookies_.push_back(cookie);
    }
}

SingleUseClasses::~SingleUseClasses() {
    for (const DWORD cookie : cookies_) {
        CoRevokeClassObject(cookie);
    }
}

void RunMessages() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace pw::com
