#include "ParentChild.h"

#include "PartNumberKey.h"
#include "shared/core/CaseFold.h"
#include "shared/core/Checked.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
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
    bool firstUse;    // the first use of its item as a parent: the one whose components are read
    bool closesBelow; // what lies below it is not counted
};

// The item a use stands for: its file, and whether the use closes what lies below it. A closed
// use's key holds a line break, which no file name does.
std::string ItemKey(const std::string& fileKey, bool closed) {
    return closed ? fileKey + "\n" : fileKey;
}

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
        const bool closes = counting == Counting::BomRules && Closes(*record);
        const std::string key = ItemKey(FoldCase(record->FileName), closes);
        const bool firstUse = counted && seenAsParent.emplace(key, true).second;
        path.push_back({record.get(), counted, firstUse, closes});
        if (!counted || !parent.firstUse) {
            continue;
        }
        const auto pair = std::make_pair(FoldCase(parent.record->FileName), key);
        const auto [found, added] = lineOfPair.emplace(pair, lines.size());
        if (added) {
            lines.push_back({parent.record,
                             record.get(),
                             0,
                             checked::Sub(record->Depth, path.front().record->Depth),
                             closes,
                             {record.get()},
                             pair.first,
                             pair.second});
        }
        ParentChildLine& line = lines[found->second];
        line.quantity = checked::Add(line.quantity, 1);
    }
    return lines;
}

std::vector<ParentChildLine> MergedByPartNumber(const std::vector<ParentChildLine>& lines) {
    // What each parent file holds, by part number, and the first file of each part number.
    std::map<std::string, std::map<std::string, std::int64_t>> holds;
    std::unordered_map<std::string, std::string> firstFile;
    for (const ParentChildLine& line : lines) {
        holds[FileKey(*line.parent)]
             [ItemKey(PartNumberKey(*line.component), line.componentClosed)] += line.quantity;
        firstFile.emplace(PartNumberKey(*line.parent), FileKey(*line.parent));
    }
    std::unordered_set<std::string> disagreeing;
    for (const ParentChildLine& line : lines) {
        const std::string key = PartNumberKey(*line.parent);
        if (holds[FileKey(*line.parent)] != holds[firstFile.at(key)]) {
            disagreeing.insert(key);
        }
    }
    const auto keyOf = [&](const clsFileData& record, bool closed = false) {
        const std::string key = PartNumberKey(record);
        return ItemKey(disagreeing.contains(key) ? FileKey(record) : key, closed);
    };

    std::vector<ParentChildLine> merged;
    std::map<std::pair<std::string, std::string>, std::size_t> lineOfPair;
    for (const ParentChildLine& line : lines) {
        const std::string parent = keyOf(*line.parent);
        // The first file of a merged parent stands for the others, which hold the same.
        if (parent != FileKey(*line.parent) && firstFile.at(parent) != FileKey(*line.parent)) {
            continue;
        }
        const std::string component = keyOf(*line.component, line.componentClosed);
        const auto [found, added] =
            lineOfPair.emplace(std::make_pair(parent, component), merged.size());
        if (added) {
            merged.push_back({line.parent,
                              line.component,
                              0,
                              line.level,
                              line.componentClosed,
                              {},
                              parent,
                              component});
        }
        ParentChildLine& into = merged[found->second];
        into.quantity = checked::Add(into.quantity, line.quantity);
        if (std::find(into.components.begin(), into.components.end(), line.component) ==
            into.components.end()) {
            into.components.push_back(line.component);
        }
    }
    return merged;
}

} // namespace pw::model
