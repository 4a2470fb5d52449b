#include "MessageFilter.h"

namespace pw::com {

MessageFilter::MessageFilter() = default;

void MessageFilter::Register() {
    // Only a single-threaded apartment has a filter; elsewhere the calls go on without one.
    registered_ = SUCCEEDED(CoRegisterMessageFilter(this, &previous_));
}

MessageFilter::~MessageFilter() {
    if (registered_) {
        CoRegisterMessageFilter(previous_, nullptr);
    }
    if (previous_) {
        previous_->Release();
    }
}

HRESULT MessageFilter::QueryInterface(REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IMessageFilter) {
        *out = static_cast<IMessageFilter*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

DWORD MessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
    return SERVERCALL_ISHANDLED;
}

DWORD MessageFilter::RetryRejectedCall(HTASK, DWORD, DWORD) {
    return static_cast<DWORD>(-1);
}

DWORD MessageFilter::MessagePending(HTASK, DWORD, DWORD) {
    return PENDINGMSG_WAITDEFPROCESS;
}

} // namespace pw::com
