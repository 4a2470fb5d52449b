#pragma once

#include <cstdint>

// Where the Indented BOM puts each field, counted from 1 after the N level columns: the
// export's header row and row writer, and the workbook macros that read the rows back, all take
// their places from here.
namespace pw::excel::indented {

inline constexpr std::int16_t kLevel = 1; // also the row's check box
inline constexpr std::int16_t kPartnumber = 2;
inline constexpr std::int16_t kRevision = 3;
inline constexpr std::int16_t kDescription = 4;
inline constexpr std::int16_t kAuthor = 5;
inline constexpr std::int16_t kDesigner = 6;
inline constexpr std::int16_t kCost = 7;
inline constexpr std::int16_t kStatus = 8;
inline constexpr std::int16_t kMaterial = 9;
inline constexpr std::int16_t kWeight = 10;
inline constexpr std::int16_t kPath = 11;
inline constexpr std::int16_t kFilename = 12; // the file name, or its hyperlink
inline constexpr std::int16_t kMatrix = 13;   // the transformation matrix text, without a header
inline constexpr std::int16_t kCount = 13;

} // namespace pw::excel::indented
