#include "CountedDispatch.h"

#include <cstdlib>
#include <fstream>

namespace pw::standins {

std::atomic<std::uint64_t>& ApprenticeCalls() {
    static std::atomic<std::uint64_t> calls{0};
    return calls;
}

void WriteApprenticeCalls() {
    if (const char* callsFile = std::getenv("PARTWRIGHT_APPRENTICE_CALLS_FILE")) {
        std::ofstream(callsFile, std::ios::trunc) << ApprenticeCalls().load() << "\n";
    }
}

} // namespace pw::standins
