#include "ExcelFaults.h"

#include "partwright/excel/ExcelCodes.h"
#include "shared/core/Failure.h"

namespace pw::standins {

void ExcelFaults::Enter() {
    if (unreachable) {
        throw Failure(excel::kServerUnavailable, "The RPC server is unavailable.");
    }
    ++calls;
    if (onCall) {
        onCall();
    }
}

} // namespace pw::standins
