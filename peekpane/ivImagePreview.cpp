#include "ivImagePreview.h"

#include "Form1.h"
#include "shared/com/ComBoundary.h"
#include "shared/com/ComFailure.h"
#include "shared/com/ComObject.h"
#include "shared/com/ServerRegistration.h"
#include "shared/com/TextConvert.h"
#include "shared/com/TypedDispatch.h"
#include "shared/com/UniqueBstr.h"
#include "shared/core/Step.h"
#include "shared/inventor/ComDocumentAccess.h"
#include "shared/thumbnail/LegacyThumbnailCom.h"

#include <string>

namespace pw::peekpane {
namespace {

class ImagePreview final : public com::TypedDispatch<_ivImagePreview> {
public:
    // _ivImagePreview
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        if (!name) {
            return E_POINTER;
        }
        *name = SysAllocStringLen(name_.data(), static_cast<UINT>(name_.size()));
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE put_Name(BSTR name) override {
        name_.assign(name ? name : L"", name ? SysStringLen(name) : 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ShowPreviewImage(BSTR* sFile, VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE get_DebugID(VARIANT* debugId) override {
        if (!debugId) {
            return E_POINTER;
        }
        VariantInit(debugId);
        debugId->vt = VT_I4;
        debugId->lVal = debugId_;
        return S_OK;
    }

private:
    std::wstring name_;
    std::int32_t debugId_ = 0;                 // never assigned
    std::shared_ptr<inventor::Server> server_; // made on the first call, kept for the object's life
};

HRESULT STDMETHODCALLTYPE ImagePreview::ShowPreviewImage(BSTR* sFile, VARIANT* result) {
    if (!sFile || !result) {
        return E_POINTER;
    }
    VariantInit(result);
    return com::Guarded([&] {
        const std::string path = com::WideToUtf8(*sFile ? *sFile : L"");
        if (!server_) {
            // Without Apprentice no picture can be had: the macro is told why rather than shown
            // an empty window.
            std::string why;
            const ResultCode code = RunStep(
                [&] { server_ = inventor::CreateServerByClass(inventor::kApprenticeClass); }, why);
            if (code != kOk) {
                throw Failure(code, "The Inventor Apprentice Server cannot be started, so the "
                                    "picture of " +
                                        path + " cannot be shown: " + why);
            }
        }
        thumbnail::ComLegacyReaderFactory legacy;
        const std::shared_ptr<inventor::Picture> picture =
            thumbnail::PictureOf(*server_, legacy, path);
        Form1::Show();
        Form1::SetCaption(path);
        if (const auto* shown = dynamic_cast<const inventor::ComPicture*>(picture.get())) {
            Form1::SetPicture(com::ComPtr<IPictureDisp>(shown->get()));
        }
        return S_OK;
    });
}

} // namespace

HRESULT LoadOwnTypeLib(ITypeLib** library, REGKIND kind) {
    return com::LoadEmbeddedTypeLib(reinterpret_cast<const void*>(&LoadOwnTypeLib), kind, library);
}

HRESULT CreateImagePreview(REFIID iid, void** out) {
    return com::Guarded([&] { return com::MakeObject<ImagePreview>()->QueryInterface(iid, out); });
}

} // namespace pw::peekpane
