#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string_view>

namespace pw::com {

// Owns one VARIANT: VariantClear on destruction, VariantCopy on copy.
class UniqueVariant {
public:
    UniqueVariant() noexcept { VariantInit(&v_); }
    explicit UniqueVariant(bool value) noexcept;
    explicit UniqueVariant(std::int16_t value) noexcept;
    explicit UniqueVariant(std::int32_t value) noexcept;
    explicit UniqueVariant(double value) noexcept;
    explicit UniqueVariant(std::wstring_view text);
    // Text from UTF-8, as the core holds it.
    explicit UniqueVariant(std::string_view utf8);
    explicit UniqueVariant(const char* utf8) : UniqueVariant(std::string_view(utf8)) {}
    // Holds its own reference to the object.
    explicit UniqueVariant(IDispatch* object) noexcept;
    // A copy of any VARIANT.
    static UniqueVariant CopyOf(const VARIANT& source);
    // A VARIANT that the caller owns and hands over.
    static UniqueVariant Attach(VARIANT source) noexcept;

    UniqueVariant(const UniqueVariant& other);
    UniqueVariant& operator=(const UniqueVariant& other);
    UniqueVariant(UniqueVariant&& other) noexcept;
    UniqueVariant& operator=(UniqueVariant&& other) noexcept;
    ~UniqueVariant() { VariantClear(&v_); }

    const VARIANT& get() const noexcept { return v_; }
    VARTYPE vt() const noexcept { return v_.vt; }
    VARIANT* put() noexcept {
        VariantClear(&v_);
        return &v_;
    }
    // Hands the VARIANT to the caller, who then owns it.
    VARIANT release() noexcept;

private:
    VARIANT v_;
};

} // namespace pw::com
