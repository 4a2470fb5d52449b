#pragma once

#include <windows.h>

#include <utility>

namespace pw::window {

// Owns one window-system object and frees it with Free: fonts, brushes, pens and bitmaps
// (DeleteObject), icons and pointers (DestroyIcon), memory device contexts (DeleteDC).
template <class Handle, auto Free> class UniqueGdi {
public:
    UniqueGdi() noexcept = default;
    explicit UniqueGdi(Handle handle) noexcept : handle_(handle) {}
    UniqueGdi(const UniqueGdi&) = delete;
    UniqueGdi& operator=(const UniqueGdi&) = delete;
    UniqueGdi(UniqueGdi&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueGdi& operator=(UniqueGdi&& other) noexcept {
        reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~UniqueGdi() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    Handle release() noexcept { return std::exchange(handle_, nullptr); }
    void reset(Handle replacement = nullptr) noexcept {
        if (const Handle old = std::exchange(handle_, replacement)) {
            Free(old);
        }
    }

private:
    Handle handle_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object) noexcept {
    DeleteObject(object);
}
inline void DestroyIconHandle(HICON icon) noexcept {
    DestroyIcon(icon);
}
inline void DeleteMemoryDc(HDC dc) noexcept {
    DeleteDC(dc);
}

using UniqueFont = UniqueGdi<HFONT, DeleteGdiObject>;
using UniqueBrush = UniqueGdi<HBRUSH, DeleteGdiObject>;
using UniquePen = UniqueGdi<HPEN, DeleteGdiObject>;
using UniqueBitmap = UniqueGdi<HBITMAP, DeleteGdiObject>;
using UniqueIcon = UniqueGdi<HICON, DestroyIconHandle>;
using UniqueMemoryDc = UniqueGdi<HDC, DeleteMemoryDc>;

// Selects an object into a device context for a scope, then puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The screen's device context for a scope.
class ScreenDc {
public:
    ScreenDc() noexcept : dc_(GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    HDC get() const noexcept { return dc_; }

private:
    HDC dc_;
};

} // namespace pw::window
