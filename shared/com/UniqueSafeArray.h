#pragma once

#include <windows.h>
#include <oleauto.h>

#include <utility>

namespace pw::com {

// Owns one SAFEARRAY.
class UniqueSafeArray {
public:
    UniqueSafeArray() noexcept = default;
    explicit UniqueSafeArray(SAFEARRAY* adopted) noexcept : array_(adopted) {}
    UniqueSafeArray(const UniqueSafeArray&) = delete;
    UniqueSafeArray& operator=(const UniqueSafeArray&) = delete;
    UniqueSafeArray(UniqueSafeArray&& other) noexcept
        : array_(std::exchange(other.array_, nullptr)) {}
    UniqueSafeArray& operator=(UniqueSafeArray&& other) noexcept {
        reset(std::exchange(other.array_, nullptr));
        return *this;
    }
    ~UniqueSafeArray() { reset(); }

    SAFEARRAY* get() const noexcept { return array_; }
    SAFEARRAY** put() noexcept {
        reset();
        return &array_;
    }
    SAFEARRAY* release() noexcept { return std::exchange(array_, nullptr); }
    void reset(SAFEARRAY* replacement = nullptr) noexcept {
        if (SAFEARRAY* old = std::exchange(array_, replacement)) {
            SafeArrayDestroy(old);
        }
    }

private:
    SAFEARRAY* array_ = nullptr;
};

} // namespace pw::com
