#pragma once

#include "PropertyRequest.h"
#include "Tallies.h"
#include "colDupes.h"
#include "colFileData.h"

#include <cstdint>
#include <vector>

namespace pw::model {

// The bill-of-materials model of the last load, owned by the program for its whole run.
struct BomModel {
    colFileData FileData;
    colDupes Dupes;
    Tallies Counts;
    // Counts the loads that emptied the model, so that what was derived from one load (the
    // export's level columns) is not taken for another's.
    std::uint32_t LoadNumber = 0;
    // Further properties read for every record into clsFileData::Extra, in this order; a load
    // keeps them.
    std::vector<PropertyRequest> ExtraProperties;
};

} // namespace pw::model
