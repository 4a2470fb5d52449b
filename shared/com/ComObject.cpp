#include "ComObject.h"

namespace pw::com {
namespace {

std::atomic<void (*)()> gIdleHandler{nullptr};

} // namespace

std::atomic<long>& ModuleReferences() {
    static std::atomic<long> references{0};
    return references;
}

void ReleaseModuleReference() {
    if (--ModuleReferences() == 0) {
        if (auto* handler = gIdleHandler.load()) {
            handler();
        }
    }
}

void SetModuleIdleHandler(void (*handler)()) {
    gIdleHandler = handler;
}

} // namespace pw::com
