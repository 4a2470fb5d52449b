#pragma once

#include "clsFileData.h"

#include <optional>
#include <string>
#include <type_traits>

namespace pw::model {

// What a field shows where the files merged under one key disagree on it, as Inventor's BOM
// shows it.
inline constexpr const char* kVaries = "*Varies*";

// What `read` gives for `lead` when each of `others` (records of the files merged with it) gives
// the same; nothing where they disagree, which the merged row shows as kVaries.
template <class Others, class Read>
auto Agreed(const clsFileData& lead, const Others& others, Read read)
    -> std::optional<std::decay_t<decltype(read(lead))>> {
    auto first = read(lead);
    for (const clsFileData* other : others) {
        if (read(*other) != first) {
            return std::nullopt;
        }
    }
    return first;
}

// The key under which rows merge by part number: the part number as typed, an assembly's apart
// from a part's; for a file without one and for a missing file, the file itself.
std::string PartNumberKey(const clsFileData& record);

// The key of the file itself, whatever its part number.
std::string FileKey(const clsFileData& record);

} // namespace pw::model
