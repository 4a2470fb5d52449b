#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace pw {

// What a document property delivers and a variant field holds: empty, text, a whole number, a
// floating-point number or a truth value.
using Value = std::variant<std::monostate, std::string, std::int32_t, double, bool>;

inline bool IsEmpty(const Value& value) {
    return std::holds_alternative<std::monostate>(value);
}

// The value as text: numbers in plain decimal, truth values as "True"/"False", empty as "".
std::string ValueText(const Value& value);

// The product of two values: empty counts as 0, whole numbers stay whole while the product fits
// 32 bits and give a double past that, anything with a fraction or numeric text gives a double.
// Text that is not a number raises a type-mismatch Failure.
Value Multiply(const Value& left, const Value& right);

} // namespace pw
