#include "PicturePng.h"

#include "shared/com/ComFailure.h"
#include "shared/com/ComPtr.h"
#include "shared/window/GdiObjects.h"

#include <olectl.h>
#include <wincodec.h>

#include <algorithm>
#include <utility>

namespace pw::thumbnail {
namespace {

struct Size {
    std::int32_t width;
    std::int32_t height;
};

// The picture's size scaled to fit the square, its longer side filling it.
Size FittedSize(OLE_XSIZE_HIMETRIC width, OLE_YSIZE_HIMETRIC height, std::int32_t side) {
    if (width <= 0 || height <= 0) {
        throw Failure(kEFail, "The picture has no size.");
    }
    if (width >= height) {
        return {side, std::max(1, MulDiv(side, height, width))};
    }
    return {std::max(1, MulDiv(side, width, height)), side};
}

// A top-down 24-bit bitmap of the picture on white, three bytes a pixel as the PNG keeps them,
// its rows padded to four bytes: its pixels are handed to WIC as they lie.
struct DrawnPicture {
    window::UniqueBitmap bitmap;
    void* bits = nullptr;
    Size size{};

    UINT Stride() const { return (static_cast<UINT>(size.width) * 3 + 3) & ~3u; }
};

// The picture's size in hundredths of a millimetre. A metafile's picture may not know it (Wine's
// answers nothing); the metafile's own frame says it then.
std::pair<OLE_XSIZE_HIMETRIC, OLE_YSIZE_HIMETRIC> HimetricSize(IPicture& picture) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    com::ThrowIfFailed(picture.get_Width(&width), "Reading the picture's width");
    com::ThrowIfFailed(picture.get_Height(&height), "Reading the picture's height");
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if ((width <= 0 || height <= 0) && SUCCEEDED(picture.get_Type(&type)) &&
        type == PICTYPE_ENHMETAFILE && SUCCEEDED(picture.get_Handle(&handle))) {
        ENHMETAHEADER header{};
        if (GetEnhMetaFileHeader(reinterpret_cast<HENHMETAFILE>(static_cast<UINT_PTR>(handle)),
                                 sizeof header, &header) != 0) {
            width = header.rclFrame.right - header.rclFrame.left;
            height = header.rclFrame.bottom - header.rclFrame.top;
        }
    }
    return {width, height};
}

DrawnPicture Draw(IPicture& picture, std::int32_t side) {
    const auto [width, height] = HimetricSize(picture);
    DrawnPicture drawn;
    drawn.size = FittedSize(width, height, side);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = drawn.size.width;
    info.bmiHeader.biHeight = -drawn.size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    drawn.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &drawn.bits, nullptr, 0));
    const window::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!drawn.bitmap || !dc) {
        throw Failure(kEFail, "No bitmap could be made to draw the picture in.");
    }
    const window::SelectedObject selected(dc.get(), drawn.bitmap.get());
    const RECT all{0, 0, drawn.size.width, drawn.size.height};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    // Averaged, not dropped, pixels when a bitmap is drawn smaller.
    SetStretchBltMode(dc.get(), HALFTONE);
    SetBrushOrgEx(dc.get(), 0, 0, nullptr);
    com::ThrowIfFailed(picture.Render(dc.get(), 0, 0, drawn.size.width, drawn.size.height, 0,
                                      height, width, -height, nullptr),
                       "Drawing the picture");
    GdiFlush();
    return drawn;
}

std::string StreamBytes(IStream& stream) {
    HGLOBAL memory = nullptr;
    com::ThrowIfFailed(GetHGlobalFromStream(&stream, &memory), "Reading the PNG image");
    STATSTG status{};
    com::ThrowIfFailed(stream.Stat(&status, STATFLAG_NONAME), "Reading the PNG image's size");
    const void* bytes = GlobalLock(memory);
    if (!bytes) {
        com::ThrowLastError("Reading the PNG image");
    }
    std::string copy(static_cast<const char*>(bytes), status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return copy;
}

} // namespace

// The PNG encoder's class object is had once: asking WIC's factory for an encoder by container
// format goes through every installed encoder's registration each time.
PngEncoder::PngEncoder() {
    com::ThrowIfFailed(CoGetClassObject(CLSID_WICPngEncoder, CLSCTX_INPROC_SERVER, nullptr,
                                        IID_IClassFactory, encoders_.put_void()),
                       "Starting the Windows Imaging Component's PNG encoder");
}

PngImage PngEncoder::Encode(IPictureDisp* shown, std::int32_t side) {
    com::ComPtr<IPicture> picture;
    if (!shown || FAILED(shown->QueryInterface(IID_IPicture, picture.put_void()))) {
        throw Failure(E_NOINTERFACE, "The thumbnail is no picture.");
    }
    const DrawnPicture drawn = Draw(*picture.get(), side);
    const auto width = static_cast<UINT>(drawn.size.width);
    const auto height = static_cast<UINT>(drawn.size.height);

    com::ComPtr<IStream> stream;
    com::ThrowIfFailed(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()),
                       "Making room for the PNG image");
    com::ComPtr<IWICBitmapEncoder> encoder;
    com::ThrowIfFailed(
        encoders_->CreateInstance(nullptr, IID_IWICBitmapEncoder, encoder.put_void()),
        "Starting the PNG encoder");
    com::ThrowIfFailed(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache),
                       "Starting the PNG encoder");
    com::ComPtr<IWICBitmapFrameEncode> frame;
    com::ThrowIfFailed(encoder->CreateNewFrame(frame.put(), nullptr), "Adding the PNG frame");
    com::ThrowIfFailed(frame->Initialize(nullptr), "Adding the PNG frame");
    com::ThrowIfFailed(frame->SetSize(width, height), "Sizing the PNG frame");
    // Opaque pixels: three bytes each, no alpha channel to store.
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    com::ThrowIfFailed(frame->SetPixelFormat(&format), "Choosing the PNG's pixels");
    if (format != GUID_WICPixelFormat24bppBGR) {
        throw Failure(kEFail, "The PNG encoder takes no 24-bit pixels.");
    }
    com::ThrowIfFailed(frame->WritePixels(height, drawn.Stride(), drawn.Stride() * height,
                                          static_cast<BYTE*>(drawn.bits)),
                       "Encoding the PNG image");
    com::ThrowIfFailed(frame->Commit(), "Encoding the PNG image");
    com::ThrowIfFailed(encoder->Commit(), "Encoding the PNG image");
    return {StreamBytes(*stream.get()), drawn.size.width, drawn.size.height};
}

} // namespace pw::thumbnail
