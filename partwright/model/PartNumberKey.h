#pragma once

#include "clsFileData.h"

#include <string>

namespace pw::model {

// What a field shows where the files merged under one key disagree on it, as Inventor's BOM
// shows it.
inline constexpr const char* kVaries = "*Varies*";

// The key under which rows merge by part number: the part number as typed, an assembly's apart
// from a part's; for a file without one and for a missing file, the file itself.
std::string PartNumberKey(const clsFileData& record);

// The key of the file itself, whatever its part number.
std::string FileKey(const clsFileData& record);

} // namespace pw::model
