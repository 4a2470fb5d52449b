#include "ExcelNotAnswering.h"

#include "ExcelCodes.h"

#include <algorithm>
#include <array>

namespace pw::excel {

bool IsExcelGone(ResultCode code) {
    static constexpr std::array<ResultCode, 6> kGone = {kServerUnavailable, kCallFailed,
                                                        kServerDied,        kServerDiedBeforeCall,
                                                        kDisconnected,      kNotConnected};
    return std::find(kGone.begin(), kGone.end(), code) != kGone.end();
}

bool IsExcelBusy(ResultCode code) {
    return code == kCallRejected || code == kRetryLater;
}

} // namespace pw::excel
