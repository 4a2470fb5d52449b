#include "ivImagePreview.h"

#include "Form1.h"
#include "partwright/model/ComDocumentAccess.h"
#include "shared/com/ComFailure.h"
#include "shared/com/DispatchBase.h"
#include "shared/com/ServerRegistration.h"
#include "shared/com/TextConvert.h"
#include "shared/com/UniqueBstr.h"
#include "shared/core/Step.h"
#include "shared/thumbnail/LegacyThumbnailCom.h"

#include <string>

namespace pw::peekpane {
namespace {

// {C343ED84-A129-11D3-B799-0060B0F159EF}: Apprentice, created by its class identifier.
constexpr CLSID kApprenticeClass = {
    0xC343ED84, 0xA129, 0x11D3, {0xB7, 0x99, 0x00, 0x60, 0xB0, 0xF1, 0x59, 0xEF}};

class ImagePreview final : public com::ComObject<_ivImagePreview> {
public:
    HRESULT Initialize() {
        com::ComPtr<ITypeLib> library;
        HRESULT hr = LoadOwnTypeLib(library.put(), REGKIND_NONE);
        com::ComPtr<ITypeInfo> dispatchInfo;
        if (SUCCEEDED(hr)) {
            hr = library->GetTypeInfoOfGuid(IID__ivImagePreview, dispatchInfo.put());
        }
        // A dual interface: the dispatch view refers to the interface view at index -1.
        HREFTYPE interfaceView = 0;
        if (SUCCEEDED(hr)) {
            hr = dispatchInfo->GetRefTypeOfImplType(static_cast<UINT>(-1), &interfaceView);
        }
        if (SUCCEEDED(hr)) {
            hr = dispatchInfo->GetRefTypeInfo(interfaceView, typeInfo_.put());
        }
        return hr;
    }

    // IDispatch, from the embedded type library.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) {
            return E_POINTER;
        }
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info) {
            return E_POINTER;
        }
        if (index != 0) {
            *info = nullptr;
            return DISP_E_BADINDEX;
        }
        *info = com::ComPtr<ITypeInfo>(typeInfo_.get()).detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        return DispGetIDsOfNames(typeInfo_.get(), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return DispInvoke(static_cast<_ivImagePreview*>(this), typeInfo_.get(), id, flags, params,
                          result, exception, argumentError);
    }

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

protected:
    bool Answers(REFIID iid) const override {
        return iid == IID_IDispatch || iid == IID__ivImagePreview;
    }

private:
    com::ComPtr<ITypeInfo> typeInfo_;
    std::wstring name_;
    std::int32_t debugId_ = 0;              // never assigned
    std::shared_ptr<model::Server> server_; // made on the first call, kept for the object's life
};

HRESULT STDMETHODCALLTYPE ImagePreview::ShowPreviewImage(BSTR* sFile, VARIANT* result) {
    if (!sFile || !result) {
        return E_POINTER;
    }
    VariantInit(result);
    try {
        const std::string path = com::WideToUtf8(*sFile ? *sFile : L"");
        if (!server_) {
            RunStep([&] { server_ = model::CreateServerByClass(kApprenticeClass); });
        }
        std::shared_ptr<model::Picture> picture;
        if (server_) {
            thumbnail::ComLegacyReaderFactory legacy;
            picture = thumbnail::PictureOf(*server_, legacy, path);
        }
        Form1::Show();
        Form1::SetCaption(path);
        if (const auto* shown = dynamic_cast<const thumbnail::ComPicture*>(picture.get())) {
            Form1::SetPicture(com::ComPtr<IPictureDisp>(shown->get()));
        }
        return S_OK;
    } catch (const Failure& failure) {
        return failure.code();
    } catch (...) {
        return E_FAIL;
    }
}

} // namespace

HRESULT LoadOwnTypeLib(ITypeLib** library, REGKIND kind) {
    const std::wstring path = com::ModulePathOf(reinterpret_cast<const void*>(&LoadOwnTypeLib));
    return LoadTypeLibEx(path.c_str(), kind, library);
}

HRESULT CreateImagePreview(REFIID iid, void** out) {
    com::ComPtr<ImagePreview> preview = com::ComPtr<ImagePreview>::Attach(new ImagePreview());
    const HRESULT hr = preview->Initialize();
    if (FAILED(hr)) {
        return hr;
    }
    return preview->QueryInterface(iid, out);
}

} // namespace pw::peekpane
