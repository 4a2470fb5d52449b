#include "ComObject.h"

namespace pw::com {

std::atomic<long>& ModuleReferences() {
    static std::atomic<long> references{0};
    return references;
}

} // namespace pw::com
