#include "Utf16Units.h"

#include <algorithm>

namespace pw {
namespace {

// The bytes of the UTF-8 sequence that starts with `lead`, and the UTF-16 units it needs.
struct Sequence {
    std::size_t bytes;
    std::size_t units;
};

Sequence SequenceOf(unsigned char lead) {
    if (lead >= 0xF0) {
        return {4, 2}; // beyond the basic plane: a surrogate pair
    }
    if (lead >= 0xE0) {
        return {3, 1};
    }
    if (lead >= 0xC0) {
        return {2, 1};
    }
    return {1, 1};
}

} // namespace

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const Sequence sequence = SequenceOf(static_cast<unsigned char>(utf8[at]));
        units += sequence.units;
        at += sequence.bytes;
    }
    return units;
}

std::string_view Utf16Prefix(std::string_view utf8, std::size_t units) {
    std::size_t used = 0;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const Sequence sequence = SequenceOf(static_cast<unsigned char>(utf8[at]));
        if (used + sequence.units > units) {
            break;
        }
        used += sequence.units;
        at += sequence.bytes;
    }
    return utf8.substr(0, std::min(at, utf8.size()));
}

} // namespace pw
