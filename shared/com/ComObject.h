#pragma once

#include "ComPtr.h"

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <utility>

namespace pw::com {

// Live objects and server locks of this module, for DllCanUnloadNow.
std::atomic<long>& ModuleReferences();

// Drops one module reference; when none is left, runs the handler a local server set (it then
// writes what it holds and ends its process).
void ReleaseModuleReference();
void SetModuleIdleHandler(void (*handler)());

// The IUnknown of a hand-written COM object with one interface (and the ones it derives from):
// reference counting that deletes the object at zero, and a QueryInterface that answers the
// identifiers the object names in Answers. Every live object keeps its module loaded.
template <class Interface> class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || Answers(iid)) {
            *out = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    ComObject() { ++ModuleReferences(); }
    virtual ~ComObject() { ReleaseModuleReference(); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    // The interface identifiers, besides IUnknown, that this object answers.
    virtual bool Answers(REFIID iid) const = 0;

private:
    std::atomic<ULONG> references_{1};
};

// Makes a reference-counted object; the returned pointer owns the first reference.
template <class T, class... Args> ComPtr<T> MakeObject(Args&&... args) {
    return ComPtr<T>::Attach(new T(std::forward<Args>(args)...));
}

} // namespace pw::com
