#pragma once

#include "partwright/model/BomModel.h"
#include "partwright/model/PartNumberKey.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace pw::excel {

using model::kVaries;

// One Summary BOM row when rows are merged by part number: the files that carry the part number
// (the first use of each, in order of first appearance), and their total quantity; none for the
// top assembly, which is no use of itself.
struct PartNumberRow {
    std::vector<const model::clsFileData*> records;
    std::optional<std::int32_t> quantity;
};

// The Summary BOM's rows keyed by part number, in order of first appearance; a file without a
// part number, a missing one and a virtual component's own entry keep rows of their own.
std::vector<PartNumberRow> PartNumberRows(const model::BomModel& model);

} // namespace pw::excel
