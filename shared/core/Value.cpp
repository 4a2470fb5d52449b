#include "Value.h"

#include "shared/core/Failure.h"
#include "shared/core/NumberText.h"

#include <charconv>
#include <limits>
#include <optional>

namespace pw {
namespace {

// DISP_E_TYPEMISMATCH, as automation reports a text that is not a number.
constexpr ResultCode kTypeMismatch = static_cast<ResultCode>(0x80020005u);

struct Overloaded {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(const std::string& text) const { return text; }
    std::string operator()(std::int32_t number) const { return IntegerText(number); }
    std::string operator()(double number) const { return DoubleText(number); }
    std::string operator()(bool truth) const { return truth ? "True" : "False"; }
};

// Whole numbers as they take part in arithmetic; nothing for values that are not whole.
std::optional<std::int32_t> WholeOf(const Value& value) {
    if (IsEmpty(value)) {
        return 0;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return *number;
    }
    if (const auto* truth = std::get_if<bool>(&value)) {
        return *truth ? -1 : 0;
    }
    return std::nullopt;
}

double RealOf(const Value& value) {
    if (const auto whole = WholeOf(value)) {
        return *whole;
    }
    if (const auto* number = std::get_if<double>(&value)) {
        return *number;
    }
    const std::string& text = std::get<std::string>(value);
    double result = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        throw Failure(kTypeMismatch, "Type mismatch");
    }
    return result;
}

} // namespace

std::string ValueText(const Value& value) {
    return std::visit(Overloaded{}, value);
}

Value Multiply(const Value& left, const Value& right) {
    const auto wholeLeft = WholeOf(left);
    const auto wholeRight = WholeOf(right);
    if (wholeLeft && wholeRight) {
        // A product past the 32-bit range is still a product: a weight of 8 x 300,000,000.
        const std::int64_t product = std::int64_t{*wholeLeft} * *wholeRight;
        if (product >= std::numeric_limits<std::int32_t>::min() &&
            product <= std::numeric_limits<std::int32_t>::max()) {
            return static_cast<std::int32_t>(product);
        }
        return static_cast<double>(product);
    }
    return RealOf(left) * RealOf(right);
}

} // namespace pw
