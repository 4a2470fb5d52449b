#include "NumberText.h"

#include <cmath>
#include <cstdio>

namespace pw {

std::string CountedText(std::int64_t count, const std::string& one, const std::string& many) {
    return IntegerText(count) + " " + (count == 1 ? one : many);
}

std::string IntegerText(std::int64_t value) {
    return std::to_string(value);
}

std::string DoubleText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    if (value == 0.0) {
        return "0"; // also for -0.0, which automation never shows with a sign
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.15G", value);
    return text;
}

} // namespace pw
