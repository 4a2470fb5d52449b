#include "PictureFile.h"

#include "shared/com/ComFailure.h"
#include "shared/com/TextConvert.h"

#include <olectl.h>

namespace pw::standins {

com::ComPtr<IPictureDisp> LoadPictureFile(const std::string& path) {
    const HANDLE bitmap = LoadImageW(nullptr, com::Utf8ToWide(path).c_str(), IMAGE_BITMAP, 0, 0,
                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!bitmap) {
        throw com::HresultFailure(HRESULT_FROM_WIN32(GetLastError()), "Loading " + path);
    }
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = static_cast<HBITMAP>(bitmap);
    com::ComPtr<IPictureDisp> picture;
    // The picture owns the bitmap from here on.
    const HRESULT hr =
        OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, picture.put_void());
    if (FAILED(hr)) {
        DeleteObject(bitmap);
        throw com::HresultFailure(hr, "Making a picture of " + path);
    }
    return picture;
}

} // namespace pw::standins
