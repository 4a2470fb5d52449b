#pragma once

#include "ThumbnailRule.h"
#include "shared/com/ComPtr.h"
#include "shared/inventor/ComPicture.h"

#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>

// Inventor's legacy thumbnail reader, bound through its interface table rather than by name:
// the reader's first own method (table position 7) takes a path and returns a legacy picture
// object, on which the method at table position 55 hands out the picture.
namespace pw::thumbnail {

// {3955D421-C8F3-11D2-B7C8-A22B3D95F811}
inline constexpr CLSID kLegacyReaderClass = {
    0x3955D421, 0xC8F3, 0x11D2, {0xB7, 0xC8, 0xA2, 0x2B, 0x3D, 0x95, 0xF8, 0x11}};
// {93769741-DE48-11D2-B7C8-A62255602516}
inline constexpr IID kLegacyReaderInterface = {
    0x93769741, 0xDE48, 0x11D2, {0xB7, 0xC8, 0xA6, 0x22, 0x55, 0x60, 0x25, 0x16}};
// {93769742-DE48-11D2-B7C8-A62255602516}
inline constexpr IID kLegacyPictureInterface = {
    0x93769742, 0xDE48, 0x11D2, {0xB7, 0xC8, 0xA6, 0x22, 0x55, 0x60, 0x25, 0x16}};

struct ILegacyThumbnailReader : public IDispatch {
    // Table position 7.
    virtual HRESULT STDMETHODCALLTYPE GetThumbnail(BSTR fullFileName,
                                                   IDispatch** legacyPicture) = 0;
};

// Table positions 7 to 54 of the legacy picture hold members the program never calls; SLOT(n)
// is given each position in turn.
// clang-format off
#define PW_LEGACY_PICTURE_UNUSED_SLOTS(SLOT) \
    SLOT(7) SLOT(8) SLOT(9) SLOT(10) SLOT(11) SLOT(12) SLOT(13) SLOT(14) SLOT(15) SLOT(16) \
    SLOT(17) SLOT(18) SLOT(19) SLOT(20) SLOT(21) SLOT(22) SLOT(23) SLOT(24) SLOT(25) SLOT(26) \
    SLOT(27) SLOT(28) SLOT(29) SLOT(30) SLOT(31) SLOT(32) SLOT(33) SLOT(34) SLOT(35) SLOT(36) \
    SLOT(37) SLOT(38) SLOT(39) SLOT(40) SLOT(41) SLOT(42) SLOT(43) SLOT(44) SLOT(45) SLOT(46) \
    SLOT(47) SLOT(48) SLOT(49) SLOT(50) SLOT(51) SLOT(52) SLOT(53) SLOT(54)
// clang-format on

#define PW_LEGACY_SLOT(n) virtual HRESULT STDMETHODCALLTYPE Reserved##n() = 0;
struct ILegacyPicture : public IDispatch {
    PW_LEGACY_PICTURE_UNUSED_SLOTS(PW_LEGACY_SLOT)
    // Table position 55: a VARIANT holding the picture (IPictureDisp).
    virtual HRESULT STDMETHODCALLTYPE GetPicture(VARIANT* picture) = 0;
};
#undef PW_LEGACY_SLOT

// Makes the legacy reader by its class identifier.
class ComLegacyReaderFactory : public LegacyReaderFactory {
public:
    std::unique_ptr<LegacyThumbnailReader> Create() override;
};

} // namespace pw::thumbnail
