#include "PartNumberRows.h"

#include "shared/core/CaseFold.h"
#include "shared/core/Checked.h"
#include "shared/core/Value.h"

#include <unordered_map>

namespace pw::excel {
namespace {

// The key a record's row merges under: its part number as text, or its own file.
std::string KeyOf(const model::clsFileData& record) {
    if (record.Kind != model::ComponentKind::Missing) {
        std::string partNumber = ValueText(record.Partnumber);
        if (!partNumber.empty()) {
            return "#" + partNumber;
        }
    }
    return "@" + FoldCase(record.FileName);
}

} // namespace

std::vector<PartNumberRow> PartNumberRows(const model::BomModel& model) {
    std::vector<PartNumberRow> rows;
    std::unordered_map<std::string, std::size_t> rowOfKey;
    for (const auto& record : model.FileData) {
        if (record->Quantity < 1) { // not the first use of its file
            continue;
        }
        const auto [found, added] = rowOfKey.emplace(KeyOf(*record), rows.size());
        if (added) {
            rows.emplace_back();
        }
        PartNumberRow& row = rows[found->second];
        row.records.push_back(record.get());
        if (const auto entry = model.Dupes.Find(record->FileName)) {
            row.quantity = checked::Add(row.quantity, entry->Quantity);
        }
    }
    return rows;
}

} // namespace pw::excel
