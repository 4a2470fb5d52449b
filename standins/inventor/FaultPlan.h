#pragma once

#include "shared/core/Failure.h"

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <utility>

namespace pw::standins {

// The Apprentice operations a fault plan can make fail.
enum class Op {
    Create,
    Open,
    NeedsMigration,
    DisplayName,
    FullFileName,
    DocumentDefinition,
    Occurrences,
    Items,
    DefinitionDocument,
    DocumentType,
    Adaptive,
    PropertyValue,
    Version,
    Thumbnail,
    Name,
    OccurrenceDefinition,
    SubOccurrences,
    Transformation,
    NewMatrix,
    Cell,
    StartFolder,
    Suppressed,
    BOMStructure,
    DefinitionType,
    BOMQuantity,
    SavedBy,
    Count_
};

// Which operations fail, on what and with which code; and how often each was asked for.
class FaultPlan {
public:
    // Makes `op` fail with `code` when it concerns `subject` (a document's path, an occurrence's
    // or a virtual component's name, a programmatic identifier; empty: every call of op).
    void FailOn(Op op, const std::string& subject = "", ResultCode code = kEFail);
    // Counts the call, and throws the planned failure, if any.
    void Enter(Op op, const std::string& subject);
    int Calls(Op op) const { return calls_[static_cast<std::size_t>(op)]; }

private:
    std::array<int, static_cast<std::size_t>(Op::Count_)> calls_{};
    std::multimap<Op, std::pair<std::string, ResultCode>> failures_; // subjects folded
};

} // namespace pw::standins
