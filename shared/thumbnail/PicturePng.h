#pragma once

#include <windows.h>
#include <ocidl.h>

#include <cstdint>
#include <string>

// A stored preview picture as a PNG image, for files that carry pictures (workbooks).
namespace pw::thumbnail {

struct PngImage {
    std::string bytes;
    std::int32_t width = 0; // pixels
    std::int32_t height = 0;
};

// The picture (a bitmap or a metafile) drawn on white to fit a square of `side` pixels, its
// shape kept, and encoded as PNG by the Windows Imaging Component. Raises a Failure when the
// picture has no size or cannot be drawn or encoded. COM must be started on the thread.
PngImage PngOfPicture(IPictureDisp* picture, std::int32_t side);

} // namespace pw::thumbnail
