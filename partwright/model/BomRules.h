#pragma once

#include "BomModel.h"

#include <cstdint>
#include <string>

namespace pw::model {

// The model as Inventor's own bill of materials counts it, for exports that ask for it:
// - a reference component, and everything below it, is left out;
// - a phantom is left out and its components take its place, at its level;
// - a purchased or inseparable component is listed, and so is what lies below it in the indented
//   rows, but its components are not counted: they have no Summary BOM rows and no part in the
//   totals;
// - suppressed uses are left out.
// Unique entries, record quantities and the counters are counted afresh over what is left.
BomModel ApplyBomRules(const BomModel& loaded);

// BOMStructureEnum's name: "Normal", "Phantom", "Reference", "Purchased", "Inseparable";
// empty for the default or a structure that could not be read.
std::string BomStructureText(std::int32_t structure);

} // namespace pw::model
