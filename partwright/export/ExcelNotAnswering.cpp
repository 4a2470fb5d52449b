#include "ExcelNotAnswering.h"

#include <algorithm>
#include <array>

namespace pw::excel {

bool IsExcelGone(ResultCode code) {
    static constexpr std::array<std::uint32_t, 6> kGone = {
        0x800706BAu, // RPC_S_SERVER_UNAVAILABLE
        0x800706BEu, // RPC_S_CALL_FAILED
        0x80010007u, // RPC_E_SERVER_DIED
        0x80010012u, // RPC_E_SERVER_DIED_DNE
        0x80010108u, // RPC_E_DISCONNECTED
        0x800401FDu, // CO_E_OBJNOTCONNECTED
    };
    return std::find(kGone.begin(), kGone.end(), static_cast<std::uint32_t>(code)) != kGone.end();
}

bool IsExcelBusy(ResultCode code) {
    const auto value = static_cast<std::uint32_t>(code);
    return value == 0x80010001u     // RPC_E_CALL_REJECTED
           || value == 0x8001010Au; // RPC_E_SERVERCALL_RETRYLATER
}

} // namespace pw::excel
