#pragma once

#include <cstdint>
#include <string>

namespace pw::excel {

// Excel's column name (1 "A", 27 "AA") and an absolute reference such as "$A$5".
std::string ColumnLetters(std::int32_t column);
std::string AbsoluteReference(std::int32_t row, std::int32_t column);

} // namespace pw::excel
