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

    PW_LEGACY_PICTURE_UNUSED_SLOTS(PW_UNUSED_SLOT)

    HRESULT STDMETHODCALLTYPE GetPicture(VARIANT* picture) override {
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
