#pragma once

#include "shared/core/UniqueResource.h"

#include <windows.h>

namespace pw::window {

inline void DeleteGdiObject(HGDIOBJ object) noexcept {
    DeleteObject(object);
}
inline void DestroyIconHandle(HICON icon) noexcept {
    DestroyIcon(icon);
}
inline void DeleteMemoryDc(HDC dc) noexcept {
    DeleteDC(dc);
}

// Window-system objects: fonts, brushes, pens and bitmaps (DeleteObject), icons and pointers
// (DestroyIcon), memory device contexts (DeleteDC).
using UniqueFont = UniqueResource<HFONT, DeleteGdiObject>;
using UniqueBrush = UniqueResource<HBRUSH, DeleteGdiObject>;
using UniquePen = UniqueResource<HPEN, DeleteGdiObject>;
using UniqueBitmap = UniqueResource<HBITMAP, DeleteGdiObject>;
using UniqueIcon = UniqueResource<HICON, DestroyIconHandle>;
using UniqueMemoryDc = UniqueResource<HDC, DeleteMemoryDc>;

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
