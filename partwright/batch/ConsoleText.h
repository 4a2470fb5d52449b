#pragma once

#include <windows.h>

#include <string>

namespace pw::batch {

// Writes UTF-8 text to a standard handle: as wide text to a console, which shows any name then,
// and as UTF-8 bytes to a file or a pipe.
void WriteText(DWORD standardHandle, const std::string& text);

} // namespace pw::batch
