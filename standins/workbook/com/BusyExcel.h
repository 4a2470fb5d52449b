#pragma once

#include "shared/com/MessageFilter.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

// Excel while its user edits a cell or has a dialog open: it turns incoming calls away.
namespace pw::standins {

// When Excel is busy: from its `every`-th incoming call on, every `every`-th call starts a busy
// period of `length`, or (no length) Excel stays busy for good from that call. `once`: only the
// `every`-th call starts one, as an Excel busy for a moment (a dialog closed soon after).
struct BusyPeriods {
    std::uint64_t every = 0;
    std::optional<std::chrono::milliseconds> length;
    bool once = false;
};

// "EVERY,MS", "EVERY,forever" or "@N,MS" (one period, from the N-th call); nothing when the text
// names no periods.
std::optional<BusyPeriods> ParseBusyPeriods(std::string_view text);

// The server's message filter, registered for as long as it lives on the server's thread. It
// counts the calls that arrive and, given busy periods, turns them away while busy; calls that
// only manage references, and the creation of the application object (which Excel offers only
// once it is ready), always pass, as they do in Excel.
class BusyExcel final : public com::MessageFilter {
public:
    explicit BusyExcel(std::optional<BusyPeriods> periods);

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                               LPINTERFACEINFO interfaceInfo) override;

    // The IDispatch::Invoke calls that arrived, answered or turned away.
    std::uint64_t Invokes() const { return invokes_; }

private:
    std::optional<BusyPeriods> periods_;
    std::uint64_t calls_ = 0;
    std::uint64_t invokes_ = 0;
    std::chrono::steady_clock::time_point busyUntil_{};
    bool busyForGood_ = false;
};

} // namespace pw::standins
