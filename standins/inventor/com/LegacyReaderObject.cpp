#include "LegacyReaderObject.h"

#include "PictureFile.h"
#include "shared/com/ComBoundary.h"
#include "shared/com/ComObject.h"
#include "shared/com/TextConvert.h"
#include "shared/thumbnail/LegacyThumbnailCom.h"
#include "standins/inventor/StandinInventor.h"

namespace pw::standins {
namespace {

using thumbnail::ILegacyPicture;
using thumbnail::ILegacyThumbnailReader;

// An IDispatch without members for the two table-bound interfaces.
template <class Interface> class TableBound : public com::ComObject<Interface> {
public:
    explicit TableBound(const IID& own) : own_(own) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }

protected:
    bool Answers(REFIID iid) const override { return iid == IID_IDispatch || iid == own_; }

private:
    IID own_;
};

#define PW_UNUSED_SLOT(n)                                                                          \
    HRESULT STDMETHODCALLTYPE Reserved##n() override {                                             \
        return E_NOTIMPL;                                                                          \
    }

class LegacyPicture : public TableBound<ILegacyPicture> {
public:
    explicit LegacyPicture(com::ComPtr<IPictureDisp> picture)
        : TableBound(thumbnail::kLegacyPictureInterface), picture_(std::move(picture)) {}

    PW_UNUSED_SLOT(7)
    PW_UNUSED_SLOT(8)
    PW_UNUSED_SLOT(9)
    PW_UNUSED_SLOT(10)
    PW_UNUSED_SLOT(11)
    PW_UNUSED_SLOT(12)
    PW_UNUSED_SLOT(13)
    PW_UNUSED_SLOT(14)
    PW_UNUSED_SLOT(15)
    PW_UNUSED_SLOT(16) PW_UNUSED_SLOT(17) PW_UNUSED_SLOT(18) PW_UNUSED_SLOT(19) PW_UNUSED_SLOT(20)
        PW_UNUSED_SLOT(21) PW_UNUSED_SLOT(22) PW_UNUSED_SLOT(23) PW_UNUSED_SLOT(24)
            PW_UNUSED_SLOT(25) PW_UNUSED_SLOT(26) PW_UNUSED_SLOT(27) PW_UNUSED_SLOT(28)
                PW_UNUSED_SLOT(29) PW_UNUSED_SLOT(30) PW_UNUSED_SLOT(31) PW_UNUSED_SLOT(32)
                    PW_UNUSED_SLOT(33) PW_UNUSED_SLOT(34) PW_UNUSED_SLOT(35) PW_UNUSED_SLOT(36)
                        PW_UNUSED_SLOT(37) PW_UNUSED_SLOT(38) PW_UNUSED_SLOT(39) PW_UNUSED_SLOT(40)
                            PW_UNUSED_SLOT(41) PW_UNUSED_SLOT(42) PW_UNUSED_SLOT(43)
                                PW_UNUSED_SLOT(44) PW_UNUSED_SLOT(45) PW_UNUSED_SLOT(46)
                                    PW_UNUSED_SLOT(47) PW_UNUSED_SLOT(48) PW_UNUSED_SLOT(49)
                                        PW_UNUSED_SLOT(50) PW_UNUSED_SLOT(51) PW_UNUSED_SLOT(52)
                                            PW_UNUSED_SLOT(53) PW_UNUSED_SLOT(54)

                                                HRESULT STDMETHODCALLTYPE
        GetPicture(VARIANT* picture) override {
        if (!picture) {
            return E_POINTER;
        }
        VariantInit(picture);
        picture->vt = VT_DISPATCH;
        picture->pdispVal = com::ComPtr<IPictureDisp>(picture_).detach();
        return S_OK;
    }

private:
    com::ComPtr<IPictureDisp> picture_;
};
#undef PW_UNUSED_SLOT

class LegacyReader : public TableBound<ILegacyThumbnailReader> {
public:
    LegacyReader() : TableBound(thumbnail::kLegacyReaderInterface) {}

    HRESULT STDMETHODCALLTYPE GetThumbnail(BSTR fullFileName, IDispatch** legacyPicture) override {
        if (!legacyPicture) {
            return E_POINTER;
        }
        *legacyPicture = nullptr;
        return com::Guarded([&] {
            const std::string path = com::WideToUtf8(fullFileName ? fullFileName : L"");
            const auto thumbnail = MakeStandinServer("")->Open(path)->Thumbnail();
            const auto& file = dynamic_cast<const StandinPicture&>(*thumbnail).ImageFile();
            *legacyPicture = com::MakeObject<LegacyPicture>(LoadPictureFile(file)).detach();
            return S_OK;
        });
    }
};

} // namespace

HRESULT CreateLegacyReader(REFIID iid, void** out) {
    return com::Guarded([&] { return com::MakeObject<LegacyReader>()->QueryInterface(iid, out); });
}

} // namespace pw::standins
