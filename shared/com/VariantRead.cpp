#include "VariantRead.h"

#include "ComFailure.h"
#include "TextConvert.h"
#include "UniqueVariant.h"

namespace pw::com {
namespace {

UniqueVariant Converted(const VARIANT& value, VARTYPE type) {
    UniqueVariant result;
    // Locale-neutral, so "1.5" and 1.5 round-trip the same on every machine.
    ThrowIfFailed(
        VariantChangeTypeEx(result.put(), const_cast<VARIANT*>(&value), LOCALE_INVARIANT, 0, type),
        "VariantChangeType");
    return result;
}

} // namespace

std::string TextOf(const VARIANT& value) {
    const UniqueVariant text = Converted(value, VT_BSTR);
    const BSTR bstr = text.get().bstrVal;
    return WideToUtf8(std::wstring_view(bstr ? bstr : L"", bstr ? SysStringLen(bstr) : 0));
}

std::int32_t Int32Of(const VARIANT& value) {
    return Converted(value, VT_I4).get().lVal;
}

double DoubleOf(const VARIANT& value) {
    return Converted(value, VT_R8).get().dblVal;
}

bool BoolOf(const VARIANT& value) {
    return Converted(value, VT_BOOL).get().boolVal != VARIANT_FALSE;
}

} // namespace pw::com
