#pragma once

#include "UnitQuantity.h"
#include "shared/core/Value.h"
#include "shared/inventor/DocumentAccess.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pw::model {

// The model reads Inventor only through the document access port.
using namespace inventor;

// What a record stands for, as the walk found it.
enum class ComponentKind : std::uint8_t {
    Other, // the top assembly, or a use whose type could not be told
    Assembly,
    Part,
    Virtual,    // a component with no file, defined in its assembly
    Missing,    // a use whose file cannot be reached
    Suppressed, // a use switched off: shown, not counted, not exported
};

// One component record per tree node: a plain record filled by the walk, read by the window
// and the export.
struct clsFileData {
    std::string Author;
    Value Cost;
    std::int16_t Depth = 0;
    std::string Description;
    std::string Designer;
    std::string DisplayName; // never filled
    std::string FileName;
    std::string Material;
    Value Weight;
    // Inventor's stored mass is not up to date: Weight stays empty, and the user is told.
    bool MassOutOfDate = false;
    Value Partnumber;
    std::int32_t Quantity = 0;
    Value Revision;
    Value Status;
    std::string Title; // never filled
    bool Adaptive = false;
    std::shared_ptr<Matrix> TransMat;
    ComponentKind Kind = ComponentKind::Other;
    // BOMStructureEnum: the use's override, else its definition's; 0 when it could not be read.
    std::int32_t BOMStructure = 0;
    // What one item counts for in Inventor's BOM; "each" where it could not be read.
    UnitQuantity PerItem;
    // The model's ExtraProperties, in their order; empty where the record has none.
    std::vector<Value> Extra;
};

} // namespace pw::model
