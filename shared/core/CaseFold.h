#pragma once

#include <string>
#include <string_view>

namespace pw {

// Folds UTF-8 text so that texts differing only in letter case compare equal, as Windows compares
// file paths, collection keys and sheet names: ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic letters. Bytes that are not valid UTF-8 are kept as they are.
std::string FoldCase(std::string_view utf8);

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return FoldCase(a) == FoldCase(b);
}

} // namespace pw
