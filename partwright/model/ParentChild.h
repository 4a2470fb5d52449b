#pragma once

#include "BomModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pw::model {

// One line of a parent–child bill of materials, as ERP and MRP systems import it: how many of a
// component one of its parent holds. The records are the first uses of each, in the model.
struct ParentChildLine {
    const clsFileData* parent = nullptr;
    const clsFileData* component = nullptr;
    std::int32_t quantity = 0; // per one parent
    std::int16_t level = 0;    // where the pair first appears: 1 below the top assembly
    // Counted by the BOM rules, a purchased or inseparable use: an item of its own, whose
    // components are not counted, apart from uses of the same file that are counted with them.
    bool componentClosed = false;
    // Merged by part number: every file the line stands for, the component's first.
    std::vector<const clsFileData*> components;
    // The items the line joins, as keyed in it: no two items share a key, and a line's two
    // keys always differ.
    std::string parentKey;
    std::string componentKey;
};

// Which uses count toward the quantities, as the model was counted.
enum class Counting {
    Walk,     // every use but a suppressed one
    BomRules, // as ApplyBomRules counts: not what lies below a purchased or inseparable component
};

// One line per distinct parent–component pair, in order of first appearance, the top assembly
// being a parent too. Multiplied along each path from the top, the quantities give the totals
// the model's unique entries hold. A file whose uses count differently (one purchased, one
// normal) is two items: the closed one without components, the other with them.
std::vector<ParentChildLine> ParentChildLines(const BomModel& model, Counting counting);

// The lines with files of one part number taken as one (see PartNumberKey): their quantities
// added up under each parent, the first file's record standing for them. A part number whose
// files as parents hold different components stays one line per file wherever it appears:
// which components would the merged parent hold? An assembly and a part never merge, so that no
// item becomes its own parent.
std::vector<ParentChildLine> MergedByPartNumber(const std::vector<ParentChildLine>& lines);

} // namespace pw::model
