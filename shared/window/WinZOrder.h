#pragma once

#include <windows.h>

namespace pw::window {

// Puts the window above all others (or back among them), keeping its place and size.
void SetTopmost(HWND window);
void SetNotTopmost(HWND window);

} // namespace pw::window
