#include "BusyServerRetry.h"

#include <thread>

namespace pw::com {
namespace {

constexpr std::chrono::milliseconds kPause{100};

thread_local BusyServerRetry* tRetry = nullptr;

} // namespace

BusyServerRetry::BusyServerRetry(std::chrono::milliseconds limit, WaitNotice onWait)
    : limit_(limit), onWait_(std::move(onWait)), outer_(tRetry) {
    tRetry = this;
    Register();
}

BusyServerRetry::~BusyServerRetry() {
    tRetry = outer_;
}

BusyServerRetry* BusyServerRetry::OfThisThread() noexcept {
    return tRetry;
}

bool BusyServerRetry::WaitToCallAgain(std::chrono::steady_clock::time_point firstTry) {
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - firstTry);
    if (waited >= limit_) {
        return false;
    }
    Notice(waited);
    std::this_thread::sleep_for(kPause);
    return true;
}

DWORD BusyServerRetry::RetryRejectedCall(HTASK, DWORD tickCount, DWORD rejectType) {
    const std::chrono::milliseconds waited{tickCount};
    if (rejectType != SERVERCALL_RETRYLATER || waited >= limit_) {
        return static_cast<DWORD>(-1);
    }
    Notice(waited);
    return static_cast<DWORD>(kPause.count());
}

void BusyServerRetry::Notice(std::chrono::milliseconds waited) {
    const long long second = std::chrono::duration_cast<std::chrono::seconds>(waited).count();
    if (waited < kPause) {
        lastNoticed_ = -1; // a new call's first wait
    }
    if (second != lastNoticed_ && onWait_) {
        lastNoticed_ = second;
        onWait_(std::chrono::seconds(second));
    }
}

bool IsRejectedAsBusy(HRESULT hr) noexcept {
    return hr == RPC_E_CALL_REJECTED || hr == RPC_E_SERVERCALL_RETRYLATER;
}

} // namespace pw::com
