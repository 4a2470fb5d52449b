#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

// The core holds UTF-8; COM wants UTF-16 and the registry's A entry points the ANSI code page.
namespace pw::com {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// A BSTR as UTF-8, embedded zeros included; a null BSTR is empty.
std::string BstrToUtf8(BSTR text);
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

} // namespace pw::com
