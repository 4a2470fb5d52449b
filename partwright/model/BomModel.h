#pragma once

#include "Tallies.h"
#include "colDupes.h"
#include "colFileData.h"

namespace pw::model {

// The bill-of-materials model of the last load, owned by the program for its whole run.
struct BomModel {
    colFileData FileData;
    colDupes Dupes;
    Tallies Counts;
};

} // namespace pw::model
