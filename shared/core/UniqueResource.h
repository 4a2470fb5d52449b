#pragma once

#include <utility>

namespace pw {

template <class T> constexpr bool IsNotNull(T value) noexcept {
    return value != T{};
}

// Owns one resource of the handle-like type T and frees it with Free. T{} is "none"; IsSet
// says which other values hold nothing (a kernel handle's INVALID_HANDLE_VALUE) and are not freed.
template <class T, auto Free, auto IsSet = IsNotNull<T>> class UniqueResource {
public:
    UniqueResource() noexcept = default;
    explicit UniqueResource(T adopted) noexcept : value_(adopted) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(std::exchange(other.value_, T{})) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        reset(std::exchange(other.value_, T{}));
        return *this;
    }
    ~UniqueResource() { reset(); }

    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return IsSet(value_); }
    // For a call that hands out a resource through a pointer; whatever was held is freed first.
    T* put() noexcept {
        reset();
        return &value_;
    }
    T release() noexcept { return std::exchange(value_, T{}); }
    void reset(T replacement = T{}) noexcept {
        const T old = std::exchange(value_, replacement);
        if (IsSet(old)) {
            Free(old);
        }
    }

private:
    T value_{};
};

} // namespace pw
