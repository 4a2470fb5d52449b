#include "PartNumberRows.h"

#include "partwright/model/PartNumberKey.h"
#include "shared/core/Checked.h"

#include <unordered_map>

namespace pw::excel {

std::vector<PartNumberRow> PartNumberRows(const model::BomModel& model) {
    std::vector<PartNumberRow> rows;
    std::unordered_map<std::string, std::size_t> rowOfKey;
    for (const auto& record : model.FileData) {
        if (record->Quantity < 1) { // not the first use of its file
            continue;
        }
        const auto [found, added] = rowOfKey.emplace(model::PartNumberKey(*record), rows.size());
        if (added) {
            rows.emplace_back();
        }
        PartNumberRow& row = rows[found->second];
        row.records.push_back(record.get());
        if (const auto entry = model.Dupes.Find(record->FileName)) {
            row.quantity = checked::Add(row.quantity.value_or(0), entry->Quantity);
        }
    }
    return rows;
}

} // namespace pw::excel
