#pragma once

#include <cstdint>
#include <string>

namespace pw {

// Plain decimal integer: no blanks, no leading zeros, a minus sign only for negatives.
std::string IntegerText(std::int64_t value);

// A count with its noun: "1 step", "3 steps".
std::string CountedText(std::int64_t count, const std::string& one, const std::string& many);

// A double as automation shows it: up to 15 significant digits, no trailing zeros, exponent form
// ("1E+15", "1E-05") only for very large or very small magnitudes.
std::string DoubleText(double value);

} // namespace pw
