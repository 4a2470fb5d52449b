#include "ValueVariant.h"

#include "VariantRead.h"

namespace pw::com {

UniqueVariant VariantOf(const Value& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return UniqueVariant(std::string_view(*text));
    }
    if (const auto* whole = std::get_if<std::int32_t>(&value)) {
        return UniqueVariant(*whole);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return UniqueVariant(*real);
    }
    if (const auto* truth = std::get_if<bool>(&value)) {
        return UniqueVariant(*truth);
    }
    return {};
}

Value ValueOf(const VARIANT& value) {
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return {};
    case VT_BSTR:
        return TextOf(value);
    case VT_BOOL:
        return value.boolVal != VARIANT_FALSE;
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_INT:
    case VT_UI1:
    case VT_UI2:
        return Int32Of(value);
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DECIMAL:
    case VT_DATE:
    case VT_I8:
    case VT_UI4:
    case VT_UI8:
        return DoubleOf(value);
    default:
        return TextOf(value);
    }
}

} // namespace pw::com
