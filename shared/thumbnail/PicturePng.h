#pragma once

#include "shared/com/ComPtr.h"

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

// Encodes pictures as PNG through the Windows Imaging Component's PNG encoder. COM must be
// started on the thread; the constructor raises a Failure when the encoder cannot be had.
class PngEncoder {
public:
    PngEncoder();

    // The picture (a bitmap or a metafile) drawn on white to fit a square of `side` pixels, its
    // shape kept. Raises a Failure when it has no size or cannot be drawn or encoded.
    PngImage Encode(IPictureDisp* picture, std::int32_t side);

private:
    com::ComPtr<IClassFactory> encoders_;
};

} // namespace pw::thumbnail
