#pragma once

#include <cstddef>
#include <string_view>

// Windows and Excel measure text in UTF-16 code units; these measure UTF-8 text the same way.
namespace pw {

std::size_t Utf16Length(std::string_view utf8);

// The longest start of `utf8` that fits in `units` UTF-16 code units, never splitting a
// character.
std::string_view Utf16Prefix(std::string_view utf8, std::size_t units);

} // namespace pw
