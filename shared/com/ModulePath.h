#pragma once

#include <windows.h>

#include <string>

namespace pw::com {

// The full path of a module's file; nullptr names the program itself.
std::wstring ModuleFileName(HMODULE module);

// The full path of the module (DLL or executable) that holds `address`.
std::wstring ModulePathOf(const void* address);

} // namespace pw::com
