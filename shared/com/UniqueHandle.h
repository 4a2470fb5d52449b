#pragma once

#include <windows.h>

#include <utility>

namespace pw::com {

// Owns a kernel handle (file, event, ...); INVALID_HANDLE_VALUE and null both mean none.
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(std::exchange(other.handle_, INVALID_HANDLE_VALUE));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    HANDLE get() const noexcept { return handle_; }
    explicit operator bool() const noexcept {
        return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr;
    }
    void reset(HANDLE replacement = INVALID_HANDLE_VALUE) noexcept {
        const HANDLE old = std::exchange(handle_, replacement);
        if (old != INVALID_HANDLE_VALUE && old != nullptr) {
            CloseHandle(old);
        }
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

} // namespace pw::com
