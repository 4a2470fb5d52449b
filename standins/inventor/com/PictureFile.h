#pragma once

#include "shared/com/ComPtr.h"

#include <windows.h>
#include <ocidl.h>

#include <string>

namespace pw::standins {

// The bitmap file as a picture object of the platform's picture type; raises a Failure when the
// file cannot be loaded.
com::ComPtr<IPictureDisp> LoadPictureFile(const std::string& path);

} // namespace pw::standins
