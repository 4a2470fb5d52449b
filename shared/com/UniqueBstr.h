#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace pw::com {

// Owns one BSTR.
class UniqueBstr {
public:
    UniqueBstr() noexcept = default;
    explicit UniqueBstr(std::wstring_view text);
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    UniqueBstr(UniqueBstr&& other) noexcept : bstr_(std::exchange(other.bstr_, nullptr)) {}
    UniqueBstr& operator=(UniqueBstr&& other) noexcept {
        reset(std::exchange(other.bstr_, nullptr));
        return *this;
    }
    ~UniqueBstr() { reset(); }

    BSTR get() const noexcept { return bstr_; }
    BSTR* put() noexcept {
        reset();
        return &bstr_;
    }
    BSTR release() noexcept { return std::exchange(bstr_, nullptr); }
    void reset(BSTR replacement = nullptr) noexcept {
        if (BSTR old = std::exchange(bstr_, replacement)) {
            SysFreeString(old);
        }
    }

    // The text with its full length (a BSTR may hold embedded zeros); empty for a null BSTR.
    std::wstring str() const;

private:
    BSTR bstr_ = nullptr;
};

} // namespace pw::com
