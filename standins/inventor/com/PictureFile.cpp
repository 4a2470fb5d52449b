#include "PictureFile.h"

#include "shared/com/ComFailure.h"
#include "shared/com/TextConvert.h"
#include "shared/core/CaseFold.h"

#include <olectl.h>

namespace pw::standins {
namespace {

bool IsMetafile(const std::string& path) {
    return path.size() > 4 &&
           EqualsIgnoringCase(std::string_view(path).substr(path.size() - 4), ".emf");
}

// The picture owns the handle from here on; it is freed here when no picture takes it.
com::ComPtr<IPictureDisp> PictureOwning(PICTDESC& description, const std::string& path) {
    description.cbSizeofstruct = sizeof description;
    com::ComPtr<IPictureDisp> picture;
    const HRESULT hr =
        OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, picture.put_void());
    if (FAILED(hr)) {
        if (description.picType == PICTYPE_ENHMETAFILE) {
            DeleteEnhMetaFile(description.emf.hemf);
        } else {
            DeleteObject(description.bmp.hbitmap);
        }
        throw com::HresultFailure(hr, "Making a picture of " + path);
    }
    return picture;
}

} // namespace

com::ComPtr<IPictureDisp> LoadPictureFile(const std::string& path) {
    PICTDESC description{};
    if (IsMetafile(path)) {
        description.picType = PICTYPE_ENHMETAFILE;
        description.emf.hemf = GetEnhMetaFileW(com::Utf8ToWide(path).c_str());
        if (!description.emf.hemf) {
            com::ThrowLastError("Loading " + path);
        }
        return PictureOwning(description, path);
    }
    const HANDLE bitmap = LoadImageW(nullptr, com::Utf8ToWide(path).c_str(), IMAGE_BITMAP, 0, 0,
                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!bitmap) {
        com::ThrowLastError("Loading " + path);
    }
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = static_cast<HBITMAP>(bitmap);
    return PictureOwning(description, path);
}

} // namespace pw::standins
