#pragma once

#include <windows.h>
#include <objidl.h>

namespace pw::com {

// The message filter of the calling thread's apartment for as long as the object lives; the one
// it replaced comes back after. COM holds it only while registered, so no count is kept.
// By default it takes every incoming call and lets no rejected call be tried again, as COM does
// without a filter.
class MessageFilter : public IMessageFilter {
public:
    MessageFilter(const MessageFilter&) = delete;
    MessageFilter& operator=(const MessageFilter&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                               LPINTERFACEINFO interfaceInfo) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount,
                                              DWORD rejectType) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount,
                                           DWORD pendingType) override;

protected:
    MessageFilter();
    // Registration comes after the derived object is whole: call from its constructor.
    void Register();
    virtual ~MessageFilter();

private:
    IMessageFilter* previous_ = nullptr;
    bool registered_ = false;
};

} // namespace pw::com
