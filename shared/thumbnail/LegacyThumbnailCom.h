#pragma once

#include "ThumbnailRule.h"
#include "shared/com/ComPtr.h"

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

#define PW_LEGACY_SLOT(n) virtual HRESULT STDMETHODCALLTYPE Reserved##n() = 0;
struct ILegacyPicture : public IDispatch {
    // Table positions 7 to 54 hold members the program never calls.
    PW_LEGACY_SLOT(7)
    PW_LEGACY_SLOT(8)
    PW_LEGACY_SLOT(9)
    PW_LEGACY_SLOT(10)
    PW_LEGACY_SLOT(11)
    PW_LEGACY_SLOT(12)
    PW_LEGACY_SLOT(13)
    PW_LEGACY_SLOT(14)
    PW_LEGACY_SLOT(15)
    PW_LEGACY_SLOT(16)
    PW_LEGACY_SLOT(17) PW_LEGACY_SLOT(18) PW_LEGACY_SLOT(19) PW_LEGACY_SLOT(20) PW_LEGACY_SLOT(21)
        PW_LEGACY_SLOT(22) PW_LEGACY_SLOT(23) PW_LEGACY_SLOT(24) PW_LEGACY_SLOT(25)
            PW_LEGACY_SLOT(26) PW_LEGACY_SLOT(27) PW_LEGACY_SLOT(28) PW_LEGACY_SLOT(29)
                PW_LEGACY_SLOT(30) PW_LEGACY_SLOT(31) PW_LEGACY_SLOT(32) PW_LEGACY_SLOT(33)
                    PW_LEGACY_SLOT(34) PW_LEGACY_SLOT(35) PW_LEGACY_SLOT(36) PW_LEGACY_SLOT(37)
                        PW_LEGACY_SLOT(38) PW_LEGACY_SLOT(39) PW_LEGACY_SLOT(40) PW_LEGACY_SLOT(41)
                            PW_LEGACY_SLOT(42) PW_LEGACY_SLOT(43) PW_LEGACY_SLOT(44)
                                PW_LEGACY_SLOT(45) PW_LEGACY_SLOT(46) PW_LEGACY_SLOT(47)
                                    PW_LEGACY_SLOT(48) PW_LEGACY_SLOT(49) PW_LEGACY_SLOT(50)
                                        PW_LEGACY_SLOT(51) PW_LEGACY_SLOT(52) PW_LEGACY_SLOT(53)
                                            PW_LEGACY_SLOT(54)
        // Table position 55: a VARIANT holding the picture (IPictureDisp).
        virtual HRESULT STDMETHODCALLTYPE GetPicture(VARIANT* picture) = 0;
};
#undef PW_LEGACY_SLOT

// A picture of the platform's picture type.
class ComPicture : public inventor::Picture {
public:
    explicit ComPicture(com::ComPtr<IPictureDisp> picture) : picture_(std::move(picture)) {}
    IPictureDisp* get() const { return picture_.get(); }

private:
    com::ComPtr<IPictureDisp> picture_;
};

// Makes the legacy reader by its class identifier.
class ComLegacyReaderFactory : public LegacyReaderFactory {
public:
    std::unique_ptr<LegacyThumbnailReader> Create() override;
};

} // namespace pw::thumbnail
