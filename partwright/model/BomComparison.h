#pragma once

#include "BomModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pw::model {

// The kinds of difference between two revisions, in the order they are listed.
enum class ChangeKind { Added, Removed, Quantity, Field, Ambiguous };

// One difference between the Summary BOMs of two revisions.
struct BomChange {
    ChangeKind kind = ChangeKind::Field;
    std::string what; // "Added", "Removed", "Quantity", the field's name, or "Ambiguous"
    std::string key;  // the part number, the file's path below the top's folder, "<Pin>", ...
    Value oldValue;
    Value newValue;
    std::optional<std::int64_t> difference; // new minus old, for quantities
    const clsFileData* record = nullptr;    // the row's record: the new one, or the old one
};

struct ComparisonOptions {
    bool mergePartNumbers = false; // files of one part number are one key
    bool bomStructure = false;     // the BOM Structure is a field (counted by the BOM rules)
};

// The differences between the Summary BOMs (totals through all levels) of two loaded models,
// keyed by part number as typed where there is one, else by the file's path below the top
// assembly's folder (a virtual component by its name, a missing component by its name without
// the occurrence's number), sorted by kind, then key. Without merging, a key that stands for two
// files in one revision is one "Ambiguous" row with the number of files in each, rather than a
// guess.
std::vector<BomChange> CompareBoms(const BomModel& older, const BomModel& newer,
                                   const ComparisonOptions& options);

// "3 added, 1 removed, 2 quantities, 4 fields changed" (and ambiguous keys, when any).
std::string ChangeSummary(const std::vector<BomChange>& changes);

} // namespace pw::model
