#include "UniqueVariant.h"

#include "ComFailure.h"
#include "TextConvert.h"
#include "UniqueBstr.h"

namespace pw::com {

UniqueVariant::UniqueVariant(bool value) noexcept : UniqueVariant() {
    v_.vt = VT_BOOL;
    v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

UniqueVariant::UniqueVariant(std::int16_t value) noexcept : UniqueVariant() {
    v_.vt = VT_I2;
    v_.iVal = value;
}

UniqueVariant::UniqueVariant(std::int32_t value) noexcept : UniqueVariant() {
    v_.vt = VT_I4;
    v_.lVal = value;
}

UniqueVariant::UniqueVariant(double value) noexcept : UniqueVariant() {
    v_.vt = VT_R8;
    v_.dblVal = value;
}

UniqueVariant::UniqueVariant(std::wstring_view text) : UniqueVariant() {
    v_.bstrVal = UniqueBstr(text).release();
    v_.vt = VT_BSTR;
}

UniqueVariant::UniqueVariant(std::string_view utf8) : UniqueVariant(Utf8ToWide(utf8)) {}

UniqueVariant::UniqueVariant(IDispatch* object) noexcept : UniqueVariant() {
    v_.vt = VT_DISPATCH;
    v_.pdispVal = object;
    if (object) {
        object->AddRef();
    }
}

UniqueVariant UniqueVariant::CopyOf(const VARIANT& source) {
    UniqueVariant result;
    ThrowIfFailed(VariantCopy(&result.v_, const_cast<VARIANT*>(&source)), "VariantCopy");
    return result;
}

UniqueVariant UniqueVariant::Attach(VARIANT source) noexcept {
    UniqueVariant result;
    result.v_ = source;
    return result;
}

UniqueVariant::UniqueVariant(const UniqueVariant& other) : UniqueVariant(CopyOf(other.v_)) {}

UniqueVariant& UniqueVariant::operator=(const UniqueVariant& other) {
    if (this != &other) {
        *this = CopyOf(other.v_);
    }
    return *this;
}

UniqueVariant::UniqueVariant(UniqueVariant&& other) noexcept : v_(other.v_) {
    VariantInit(&other.v_);
}

UniqueVariant& UniqueVariant::operator=(UniqueVariant&& other) noexcept {
    if (this != &other) {
        VariantClear(&v_);
        v_ = other.v_;
        VariantInit(&other.v_);
    }
    return *this;
}

VARIANT UniqueVariant::release() noexcept {
    VARIANT result = v_;
    VariantInit(&v_);
    return result;
}

} // namespace pw::com
