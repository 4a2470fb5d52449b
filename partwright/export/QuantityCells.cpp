#include "QuantityCells.h"

#include "CellText.h"
#include "partwright/model/PartNumberKey.h"

#include <algorithm>
#include <limits>

namespace pw::excel {
namespace {

CellValue CountCell(std::int64_t items) {
    return items >= std::numeric_limits<std::int32_t>::min() &&
                   items <= std::numeric_limits<std::int32_t>::max()
               ? CellValue{static_cast<std::int32_t>(items)}
               : CellValue{static_cast<double>(items)};
}

} // namespace

bool CountsInBaseQuantities(const model::BomModel& model) {
    return std::any_of(
        model.FileData.begin(), model.FileData.end(),
        [](const std::shared_ptr<model::clsFileData>& record) { return !record->PerItem.each; });
}

QuantityCellRow QuantityCells(std::span<const model::clsFileData* const> records,
                              std::int64_t items) {
    const model::UnitQuantity& perItem = records.front()->PerItem;
    if (std::any_of(records.begin() + 1, records.end(),
                    [&](const model::clsFileData* other) { return other->PerItem != perItem; })) {
        return {TextCell(model::kVaries), TextCell(model::kVaries), TextCell(model::kVaries)};
    }
    if (perItem.each) {
        return {TextCell(perItem.text), CountCell(items), TextCell(perItem.unit)};
    }
    return {TextCell(perItem.text),
            perItem.value ? CellValue{static_cast<double>(items) * *perItem.value} : CellValue{},
            TextCell(perItem.unit)};
}

} // namespace pw::excel
