#pragma once

#include <cstdint>
#include <iterator>

// Where the BOM sheets put each field: the export's header rows and row writers, and the workbook
// macros that read the rows back, all take their places from here.
namespace pw::excel {

// The fields both sheets show at the same places: the Indented BOM counts them from 1 after its
// N level columns, the Summary BOM from column 1.
namespace shared_columns {
inline constexpr std::int16_t kPartnumber = 2;
inline constexpr std::int16_t kRevision = 3;
inline constexpr std::int16_t kDescription = 4;
inline constexpr std::int16_t kAuthor = 5;
inline constexpr std::int16_t kDesigner = 6;
inline constexpr std::int16_t kCost = 7;
inline constexpr std::int16_t kStatus = 8;
inline constexpr std::int16_t kMaterial = 9;
} // namespace shared_columns

namespace indented {
using namespace shared_columns;
inline constexpr std::int16_t kLevel = 1; // also the row's check box
inline constexpr std::int16_t kWeight = 10;
inline constexpr std::int16_t kPath = 11;
inline constexpr std::int16_t kFilename = 12; // the file name, or its hyperlink
inline constexpr std::int16_t kMatrix = 13;   // the transformation matrix text, without a header
inline constexpr std::int16_t kCount = 13;
// Inventor's BOM structure of the row, when the export is asked for it.
inline constexpr std::int16_t kBomStructure = 14;
// The header row, by place: kHeaders[offset - 1].
inline constexpr const char* kHeaders[] = {"Level",    "Partnumber",  "Revision", "Description",
                                           "Author",   "Designer",    "Cost",     "Status",
                                           "Material", "Weight cm^3", "Path",     "Filename"};
static_assert(std::size(kHeaders) == kFilename);
} // namespace indented

namespace summary {
using namespace shared_columns;
inline constexpr std::int16_t kQuantity = 1;
inline constexpr std::int16_t kPath = 10;
inline constexpr std::int16_t kFilename = 11; // the file name, or its hyperlink
inline constexpr std::int16_t kCount = 11;
inline constexpr std::int16_t kBomStructure = 12; // when the export is asked for it
// The header row, by place: kHeaders[column - 1].
inline constexpr const char* kHeaders[] = {"Quan",     "Partnumber", "Revision", "Description",
                                           "Author",   "Designer",   "Cost",     "Status",
                                           "Material", "Path",       "Filename"};
static_assert(std::size(kHeaders) == kCount);
} // namespace summary

inline constexpr const char* kBomStructureHeader = "BOM Structure";

} // namespace pw::excel
