#include "DrawPicture.h"

#include "shared/com/ComPtr.h"

namespace pw::window {

void DrawPicture(HDC dc, int left, int top, IPictureDisp* shown) {
    com::ComPtr<IPicture> picture;
    if (!shown || FAILED(shown->QueryInterface(IID_IPicture, picture.put_void()))) {
        return;
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    // Hundredths of a millimetre to the device's pixels.
    const int pixelsX = MulDiv(width, GetDeviceCaps(dc, LOGPIXELSX), 2540);
    const int pixelsY = MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), 2540);
    picture->Render(dc, left, top, pixelsX, pixelsY, 0, height, width, -height, nullptr);
}

} // namespace pw::window
