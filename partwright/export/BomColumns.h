#pragma once

#include <cstdint>

// Where the BOM sheets put each field: the export's header rows and row writers, and the workbook
// macros that read the rows back, all take their places from here.

// The Indented BOM, counted from 1 after the N level columns.
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

// The Summary BOM, from column 1.
namespace pw::excel::summary {

inline constexpr std::int16_t kQuantity = 1;
inline constexpr std::int16_t kPartnumber = 2;
inline constexpr std::int16_t kRevision = 3;
inline constexpr std::int16_t kDescription = 4;
inline constexpr std::int16_t kAuthor = 5;
inline constexpr std::int16_t kDesigner = 6;
inline constexpr std::int16_t kCost = 7;
inline constexpr std::int16_t kStatus = 8;
inline constexpr std::int16_t kMaterial = 9;
inline constexpr std::int16_t kPath = 10;
inline constexpr std::int16_t kFilename = 11; // the file name, or its hyperlink
inline constexpr std::int16_t kCount = 11;

} // namespace pw::excel::summary
