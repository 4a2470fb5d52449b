#pragma once

#include "Failure.h"

#include <concepts>
#include <cstdint>
#include <limits>
#include <utility>

// Guarded arithmetic for the fixed-width tallies: leaving the range raises OverflowError.
namespace pw::checked {

template <class T>
concept FixedWidth = std::same_as<T, std::int16_t> || std::same_as<T, std::int32_t>;

template <FixedWidth T> T Add(T a, T b) {
    T result;
    if (__builtin_add_overflow(a, b, &result)) {
        throw OverflowError();
    }
    return result;
}

template <FixedWidth T> T Sub(T a, T b) {
    T result;
    if (__builtin_sub_overflow(a, b, &result)) {
        throw OverflowError();
    }
    return result;
}

template <FixedWidth T> T Mul(T a, T b) {
    T result;
    if (__builtin_mul_overflow(a, b, &result)) {
        throw OverflowError();
    }
    return result;
}

// Converts a wider integer into T, or raises OverflowError when it does not fit.
template <FixedWidth T, std::integral From> T Narrow(From value) {
    if (!std::in_range<T>(value)) {
        throw OverflowError();
    }
    return static_cast<T>(value);
}

} // namespace pw::checked
