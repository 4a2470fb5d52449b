#pragma once

#include "BomModel.h"

#include <cstdint>
#include <vector>

namespace pw::model {

// One line of a parent–child bill of materials, as ERP and MRP systems import it: how many of a
// component one of its parent holds. The records are the first uses of each, in the model.
struct ParentChildLine {
    const clsFileData* parent = nullptr;
    const clsFileData* component = nullptr;
    std::int32_t quantity = 0; // per one parent
    std::int16_t level = 0;    // where the pair first appears: 1 below the top assembly
};

// Which uses count toward the quantities, as the model was counted.
enum class Counting {
    Walk,     // every use but a suppressed one
    BomRules, // as ApplyBomRules counts: not what lies below a purchased or inseparable component
};

// One line per distinct parent–component pair, in order of first appearance, the top assembly
// being a parent too. Multiplied along each path from the top, the quantities give the totals
// the model's unique entries hold.
std::vector<ParentChildLine> ParentChildLines(const BomModel& model, Counting counting);

// The lines with files of one part number taken as one (see PartNumberKey): their quantities
// added up under each parent, the first file's record standing for them. A part number whose
// files as parents hold different components stays one line per file wherever it appears:
// which components would the merged parent hold?
std::vector<ParentChildLine> MergedByPartNumber(const std::vector<ParentChildLine>& lines);

} // namespace pw::model
