#pragma once

#include <windows.h>

#include <string>

namespace pw::app {

// A control's text, as UTF-8.
std::string ControlText(HWND control);

} // namespace pw::app
