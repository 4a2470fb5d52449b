#pragma once

#include "shared/com/ComPtr.h"

#include <windows.h>
#include <ocidl.h>

#include <string>

namespace pw::standins {

// The image file as a picture object of the platform's picture type: a bitmap, or for an .emf
// file an enhanced metafile, the two kinds Inventor's thumbnails come as. Raises a Failure when
// the file cannot be loaded.
com::ComPtr<IPictureDisp> LoadPictureFile(const std::string& path);

} // namespace pw::standins
