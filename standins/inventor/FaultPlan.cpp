#include "FaultPlan.h"

#include "shared/core/CaseFold.h"

namespace pw::standins {

void FaultPlan::FailOn(Op op, const std::string& subject, ResultCode code) {
    failures_.emplace(op, std::make_pair(FoldCase(subject), code));
}

void FaultPlan::Enter(Op op, const std::string& subject) {
    ++calls_[static_cast<std::size_t>(op)];
    if (failures_.empty()) {
        return;
    }
    const auto [first, last] = failures_.equal_range(op);
    for (auto it = first; it != last; ++it) {
        const auto& [failingSubject, code] = it->second;
        if (failingSubject.empty() || failingSubject == FoldCase(subject)) {
            throw Failure(code, "Planned failure");
        }
    }
}

} // namespace pw::standins
