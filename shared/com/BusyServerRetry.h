#pragma once

#include "MessageFilter.h"

#include <chrono>
#include <functional>

namespace pw::com {

// A server that is busy (Excel while its user edits a cell or has a dialog open) turns calls away.
// While a BusyServerRetry lives on a thread, such calls are made again until `limit` has passed
// since the first try: its message filter answers COM's own question whether to retry, and
// DispatchObject's calls wait and call again where COM hands the rejection back instead. Each
// whole second of waiting is told to `onWait` (0 at the first wait of a call).
class BusyServerRetry final : public MessageFilter {
public:
    using WaitNotice = std::function<void(std::chrono::seconds waited)>;
    BusyServerRetry(std::chrono::milliseconds limit, WaitNotice onWait);
    ~BusyServerRetry() override;

    // The retry living on this thread, if any.
    static BusyServerRetry* OfThisThread() noexcept;

    // For a call first tried at `firstTry` and turned away: waits a moment and answers true, or
    // answers false once the limit has passed.
    bool WaitToCallAgain(std::chrono::steady_clock::time_point firstTry);

    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount,
                                              DWORD rejectType) override;

private:
    void Notice(std::chrono::milliseconds waited);

    std::chrono::milliseconds limit_;
    WaitNotice onWait_;
    BusyServerRetry* outer_;
    long long lastNoticed_ = -1;
};

// The codes by which COM reports a call that a busy server turned away.
bool IsRejectedAsBusy(HRESULT hr) noexcept;

} // namespace pw::com
