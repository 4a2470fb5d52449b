#pragma once

#include "LoadReport.h"
#include "colDupes.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace pw::model {

// List1: the distinct present files with their total quantities, and for each row the unique
// entry it shows (missing components are skipped, so rows and entry positions differ).
class QuantityListing {
public:
    // Lists every entry with a positive quantity, in order of first appearance.
    void CalculateQuantities(const colDupes& dupes, ListingReport& view);
    // Empties List1 and the row mapping together.
    void Clear(ListingReport& view);
    // The entry shown on row (counted from 0), or nothing.
    std::shared_ptr<clsDupe> EntryOfRow(std::int32_t row) const;

private:
    std::vector<std::shared_ptr<clsDupe>> rows_;
};

} // namespace pw::model
