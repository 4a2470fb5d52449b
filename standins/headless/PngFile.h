#pragma once

#include <windows.h>

#include <string>

namespace pw::app {

// The pixels of a window (frame included) as PNG bytes, or empty when they cannot be had.
std::string WindowPng(HWND window);

} // namespace pw::app
