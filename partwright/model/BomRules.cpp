#include "BomRules.h"

#include "shared/core/Checked.h"

#include <algorithm>
#include <vector>

namespace pw::model {
namespace {

// What a kept or left-out record means for those below it.
enum class Below { Counted, Excluded, Promoted, Uncounted };

struct Ancestor {
    std::int16_t depth; // as loaded
    Below below;
};

bool IsMissing(const clsFileData& record) {
    return record.Kind == ComponentKind::Missing;
}

// Counts a kept record as the walk does.
void Count(BomModel& model, clsFileData& record) {
    Tallies& counts = model.Counts;
    if (IsMissing(record)) {
        counts.MissingCount = checked::Add(counts.MissingCount, 1);
        if (!model.Dupes.CountMissing(record.FileName)) {
            record.Quantity = 0;
        }
        return;
    }
    if (record.Kind == ComponentKind::Assembly) {
        counts.AssyCount = checked::Add(counts.AssyCount, 1);
    } else if (record.Kind == ComponentKind::Part || record.Kind == ComponentKind::Virtual) {
        counts.PartCount = checked::Add(counts.PartCount, 1);
    }
    // A use whose file name could not be read was never an entry.
    if (!record.FileName.empty() &&
        !model.Dupes.CountUse(record.FileName, record.Kind == ComponentKind::Virtual)) {
        record.Quantity = 0;
    }
}

} // namespace

BomModel ApplyBomRules(const BomModel& loaded) {
    BomModel ruled;
    ruled.LoadNumber = loaded.LoadNumber;
    ruled.ExtraProperties = loaded.ExtraProperties;
    ruled.Unread = loaded.Unread;
    bool top = true;
    std::vector<Ancestor> ancestors;
    for (const auto& source : loaded.FileData) {
        auto record = std::make_shared<clsFileData>(*source);
        if (top) { // the top assembly stays as it is
            top = false;
            ruled.FileData.Add(std::move(record));
            continue;
        }
        while (!ancestors.empty() && ancestors.back().depth >= source->Depth) {
            ancestors.pop_back();
        }
        const auto has = [&](Below below) {
            return std::any_of(ancestors.begin(), ancestors.end(),
                               [&](const Ancestor& ancestor) { return ancestor.below == below; });
        };
        const std::int32_t structure = source->BOMStructure;
        if (has(Below::Excluded) || structure == inventor::kReferenceBOMStructure ||
            source->Kind == ComponentKind::Suppressed) {
            ancestors.push_back({source->Depth, Below::Excluded});
            continue;
        }
        if (structure == inventor::kPhantomBOMStructure) {
            ancestors.push_back({source->Depth, Below::Promoted});
            continue;
        }
        const auto promoted = static_cast<std::int16_t>(
            std::count_if(ancestors.begin(), ancestors.end(), [](const Ancestor& ancestor) {
                return ancestor.below == Below::Promoted;
            }));
        record->Depth = checked::Sub(record->Depth, promoted);
        record->Quantity = 1;
        // What lies below a purchased or inseparable component is shown, not counted: no row of
        // the Summary BOM, whose totals the parent-child lines must give. A missing file there is
        // still counted missing, so that the user learns of it.
        if (!has(Below::Uncounted)) {
            Count(ruled, *record);
        } else {
            record->Quantity = 0;
            if (IsMissing(*record)) {
                ruled.Counts.MissingCount = checked::Add(ruled.Counts.MissingCount, 1);
            }
        }
        if (!IsMissing(*record)) {
            ruled.Counts.MaxIndent = std::max(ruled.Counts.MaxIndent, record->Depth);
        }
        const bool closed = structure == inventor::kPurchasedBOMStructure ||
                            structure == inventor::kInseparableBOMStructure;
        ancestors.push_back({source->Depth, closed ? Below::Uncounted : Below::Counted});
        ruled.FileData.Add(std::move(record));
    }
    return ruled;
}

std::string BomStructureText(std::int32_t structure) {
    const char* const names[] = {"Normal", "Phantom", "Reference", "Purchased", "Inseparable"};
    const std::int32_t index = structure - inventor::kNormalBOMStructure;
    if (index < 0 || index >= static_cast<std::int32_t>(std::size(names))) {
        return {};
    }
    return names[index];
}

} // namespace pw::model
