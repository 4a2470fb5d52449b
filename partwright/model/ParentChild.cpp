#include "ParentChild.h"

#include "shared/core/CaseFold.h"
#include "shared/core/Checked.h"

#include <map>
#include <string>
#include <unordered_map>
#include <utility>

namespace pw::model {
namespace {

bool Closes(const clsFileData& record) {
    return record.BOMStructure == inventor::kPurchasedBOMStructure ||
           record.BOMStructure == inventor::kInseparableBOMStructure;
}

// A use on the path from the top down to the record being read.
struct Ancestor {
    const clsFileData* record;
    bool counted;     // its own use counts
    bool firstUse;    // the first use of its file as a parent: the one whose components are read
    bool closesBelow; // what lies below it is not counted
};

} // namespace

std::vector<ParentChildLine> ParentChildLines(const BomModel& model, Counting counting) {
    std::vector<ParentChildLine> lines;
    // Each file holds the same components wherever it is used, so the components of its first
    // use as a parent are read, and the others skipped.
    std::unordered_map<std::string, bool> seenAsParent;
    std::map<std::pair<std::string, std::string>, std::size_t> lineOfPair;
    std::vector<Ancestor> path;
    for (const auto& record : model.FileData) {
        while (!path.empty() && path.back().record->Depth >= record->Depth) {
            path.pop_back();
        }
        const bool suppressed = record->Kind == ComponentKind::Suppressed;
        if (path.empty()) { // the top assembly
            seenAsParent.emplace(FoldCase(record->FileName), true);
            path.push_back({record.get(), true, true, false});
            continue;
        }
        const Ancestor parent = path.back(); // a copy: the path grows below
        // A use whose file name could not be read was never an entry.
        const bool counted =
            parent.counted && !parent.closesBelow && !suppressed && !record->FileName.empty();
        const std::string key = FoldCase(record->FileName);
        const bool firstUse = counted && seenAsParent.emplace(key, true).second;
        path.push_back(
            {record.get(), counted, firstUse, counting == Counting::BomRules && Closes(*record)});
        if (!counted || !parent.firstUse) {
            continue;
        }
        const auto pair = std::make_pair(FoldCase(parent.record->FileName), key);
        const auto [found, added] = lineOfPair.emplace(pair, lines.size());
        if (added) {
            lines.push_back({parent.record, record.get(), 0,
                             checked::Sub(record->Depth, path.front().record->Depth)});
        }
        ParentChildLine& line = lines[found->second];
        line.quantity = checked::Add(line.quantity, 1);
    }
    return lines;
}

} // namespace pw::model
