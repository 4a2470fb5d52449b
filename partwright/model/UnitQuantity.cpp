#include "UnitQuantity.h"

#include <cmath>
#include <string_view>

namespace pw::model {
namespace {

// How many of Inventor's internal units (cm, cm^2, cm^3, kg) one unit is. Inventor writes a
// power as "^2"; "²" and "³" are taken too.
struct UnitSize {
    std::string_view name;
    double internalUnits;
};

constexpr UnitSize kUnits[] = {
    {"mm", 0.1},
    {"cm", 1},
    {"m", 100},
    {"in", 2.54},
    {"ft", 30.48},
    {"mm^2", 0.01},
    {"mm²", 0.01},
    {"cm^2", 1},
    {"cm²", 1},
    {"m^2", 1e4},
    {"m²", 1e4},
    {"in^2", 6.4516},
    {"in²", 6.4516},
    {"ft^2", 929.0304},
    {"ft²", 929.0304},
    {"mm^3", 1e-3},
    {"mm³", 1e-3},
    {"cm^3", 1},
    {"cm³", 1},
    {"m^3", 1e6},
    {"m³", 1e6},
    {"l", 1e3},
    {"in^3", 16.387064},
    {"in³", 16.387064},
    {"ft^3", 28316.846592},
    {"ft³", 28316.846592},
    {"g", 1e-3},
    {"kg", 1},
    {"lbmass", 0.45359237},
    {"lb", 0.45359237},
};

// Conversions leave traces in the last digits (125 cm / 0.1 is not quite 1250): nine
// significant digits are more than Inventor's BOM shows.
double Rounded(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return value;
    }
    const double scale = std::pow(10.0, 8 - std::floor(std::log10(std::fabs(value))));
    return std::round(value * scale) / scale;
}

} // namespace

UnitQuantity UnitQuantityOf(const inventor::BaseQuantity& stored) {
    if (stored.kind == inventor::kEachBOMQuantity) {
        return {};
    }
    UnitQuantity quantity{false, std::nullopt, stored.baseUnits, stored.unitQuantity};
    for (const UnitSize& unit : kUnits) {
        if (unit.name == stored.baseUnits) {
            quantity.value = Rounded(stored.evaluated / unit.internalUnits);
        }
    }
    return quantity;
}

} // namespace pw::model
