#pragma once

#include "shared/inventor/DocumentAccess.h"

#include <optional>
#include <string>

namespace pw::model {

// What one item of a component counts for in Inventor's BOM: "each", or a length, an area, a
// volume or a mass in the unit the BOM shows it in (a frame member of 1250 mm).
struct UnitQuantity {
    bool each = true;
    // In `unit`; nothing when Inventor's unit is one Partwright cannot convert to.
    std::optional<double> value = 1.0;
    std::string unit = "each";
    std::string text = "each"; // Inventor's Unit QTY text
    bool operator==(const UnitQuantity&) const = default;
};

// Apprentice stores the value in its internal units (cm, cm^2, cm^3, kg); the BOM shows it in
// the component's base unit.
UnitQuantity UnitQuantityOf(const inventor::BaseQuantity& stored);

} // namespace pw::model
