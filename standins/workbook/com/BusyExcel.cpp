#include "BusyExcel.h"

#include "ExcelStandin.h"
#include "shared/com/ComPtr.h"

#include <algorithm>
#include <charconv>

namespace pw::standins {
namespace {

// IRemUnknown and IRemUnknown2: AddRef, Release and QueryInterface from another process.
constexpr IID kRemUnknown = {0x00000131, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kRemUnknown2 = {0x00000143, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// Wine hands a client the class object of a local server through IServiceProvider::QueryService
// on an object of its own; Windows activates through system interfaces that never reach the
// server's message filter.
constexpr IID kWineActivation = {
    0x6D5140C1, 0x7436, 0x11CE, {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}};
// IDispatch::Invoke's place in the interface's table.
constexpr WORD kInvokeMethod = 6;

std::optional<std::uint64_t> NumberOf(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// A call that carries an object (Hyperlinks.Add's Anchor) holds a reference to it for the server.
// Wine loses that reference when the call is turned away, and the stand-in, which ends when its
// last object is released, would then never end; so these calls always pass.
bool CarriesObjects(const INTERFACEINFO& call) {
    com::ComPtr<IUnknown> hyperlinks;
    return call.pUnk && SUCCEEDED(call.pUnk->QueryInterface(IID_Hyperlinks, hyperlinks.put_void()));
}

} // namespace

std::optional<BusyPeriods> ParseBusyPeriods(std::string_view text) {
    const bool once = text.starts_with('@');
    if (once) {
        text.remove_prefix(1);
    }
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const auto every = NumberOf(text.substr(0, comma));
    if (!every || *every == 0) {
        return std::nullopt;
    }
    const std::string_view length = text.substr(comma + 1);
    if (length == "forever") {
        return BusyPeriods{*every, std::nullopt, once};
    }
    const auto milliseconds = NumberOf(length);
    if (!milliseconds) {
        return std::nullopt;
    }
    return BusyPeriods{*every, std::chrono::milliseconds(*milliseconds), once};
}

BusyExcel::BusyExcel(std::optional<BusyPeriods> periods) : periods_(periods) {
    Register();
}

DWORD BusyExcel::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO interfaceInfo) {
    if (interfaceInfo && interfaceInfo->iid == IID_IDispatch &&
        interfaceInfo->wMethod == kInvokeMethod) {
        ++invokes_;
    }
    if (!periods_ || (interfaceInfo &&
                      (interfaceInfo->iid == kRemUnknown || interfaceInfo->iid == kRemUnknown2 ||
                       interfaceInfo->iid == IID_IClassFactory ||
                       interfaceInfo->iid == kWineActivation || CarriesObjects(*interfaceInfo)))) {
        return SERVERCALL_ISHANDLED;
    }
    const auto now = std::chrono::steady_clock::now();
    ++calls_;
    if (periods_->once ? calls_ == periods_->every : calls_ % periods_->every == 0) {
        if (periods_->length) {
            busyUntil_ = std::max(busyUntil_, now + *periods_->length);
        } else {
            busyForGood_ = true;
        }
    }
    // Excel answers SERVERCALL_RETRYLATER. Wine's COM takes that answer for a handled call and
    // dispatches it, so the stand-in rejects outright: the caller then sees
    // RPC_E_CALL_REJECTED, as a caller whose message filter does not retry sees it from Excel.
    return busyForGood_ || now < busyUntil_ ? SERVERCALL_REJECTED : SERVERCALL_ISHANDLED;
}

} // namespace pw::standins
