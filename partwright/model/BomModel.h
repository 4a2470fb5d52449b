#pragma once

#include "NodeRecords.h"
#include "PropertyRequest.h"
#include "Tallies.h"
#include "colDupes.h"
#include "colFileData.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pw::model {

// The bill-of-materials model of the last load, owned by the program for its whole run.
struct BomModel {
    colFileData FileData;
    colDupes Dupes;
    // The record each node of the last load's tree shows.
    NodeRecords Nodes;
    Tallies Counts;
    // Counts the loads that emptied the model, so that what was derived from one load (the
    // export's level columns) is not taken for another's.
    std::uint32_t LoadNumber = 0;
    // Further properties read for every record into clsFileData::Extra, in this order; a load
    // keeps them.
    std::vector<PropertyRequest> ExtraProperties;
    // Whether the walk reads each use's and each file's BOM structure, which only counting by the
    // BOM rules needs; not reading them saves two calls into Apprentice per occurrence.
    bool ReadBomStructures = true;
    // What the walk could not read, each a part of the assembly missing from the tree, the lists
    // and the totals ("the components of Shaft:1: <reason>"), in the order met.
    std::vector<std::string> Unread;
};

// What the user is told of the unread parts of a load: nothing when there are none.
std::string UnreadText(const BomModel& model);

// The distinct files (and virtual components) whose stored mass Inventor marks out of date, and
// what the user is told of them: nothing when there are none.
std::int64_t OutOfDateMassCount(const BomModel& model);
std::string OutOfDateMassText(std::int64_t count);

// The folder the top assembly lies in, with its separator; empty without a top record.
std::string TopFolder(const BomModel& model);

// `path` below `folder` when it lies there (in any letter case), else `path` whole: how a file
// is named apart from its namesakes in other folders.
std::string PathBelow(const std::string& path, const std::string& folder);

} // namespace pw::model
