#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace pw::com {

// Counted COM reference: copies AddRef, destruction Releases, put() releases the old pointer
// before handing out the slot an out-parameter writes into.
template <class T> class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Takes a new reference of its own to p.
    explicit ComPtr(T* p) noexcept : ptr_(p) { AddRefHeld(); }
    ComPtr(const ComPtr& other) noexcept : ptr_(other.ptr_) { AddRefHeld(); }
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& other) noexcept {
        ComPtr(other).swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr(std::move(other)).swap(*this);
        return *this;
    }

    // Adopts a reference the caller already owns.
    static ComPtr Attach(T* p) noexcept {
        ComPtr result;
        result.ptr_ = p;
        return result;
    }

    T* get() const noexcept { return ptr_; }
    T* operator->() const noexcept { return ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }

    T** put() noexcept {
        reset();
        return &ptr_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    T* detach() noexcept { return std::exchange(ptr_, nullptr); }

    void reset() noexcept {
        if (T* old = std::exchange(ptr_, nullptr)) {
            old->Release();
        }
    }

    void swap(ComPtr& other) noexcept { std::swap(ptr_, other.ptr_); }

    // QueryInterface; an empty pointer when the object does not have the interface.
    template <class U> ComPtr<U> try_query() const noexcept {
        ComPtr<U> result;
        if (ptr_) {
            ptr_->QueryInterface(__uuidof(U), result.put_void());
        }
        return result;
    }

private:
    void AddRefHeld() noexcept {
        if (ptr_) {
            ptr_->AddRef();
        }
    }

    T* ptr_ = nullptr;
};

} // namespace pw::com
