#include "LegacyThumbnailCom.h"

#include "shared/com/ComFailure.h"
#include "shared/com/TextConvert.h"
#include "shared/com/UniqueBstr.h"
#include "shared/com/UniqueVariant.h"

namespace pw::thumbnail {
namespace {

class ComLegacyReader : public LegacyThumbnailReader {
public:
    explicit ComLegacyReader(com::ComPtr<ILegacyThumbnailReader> reader)
        : reader_(std::move(reader)) {}

    std::shared_ptr<inventor::Picture> PictureOf(const std::string& fullPath) override {
        com::UniqueBstr path(com::Utf8ToWide(fullPath));
        com::ComPtr<IDispatch> legacy;
        com::ThrowIfFailed(reader_->GetThumbnail(path.get(), legacy.put()), "Legacy thumbnail");
        com::ComPtr<ILegacyPicture> picture;
        if (!legacy ||
            FAILED(legacy->QueryInterface(kLegacyPictureInterface, picture.put_void()))) {
            throw Failure(E_NOINTERFACE, "The legacy thumbnail holds no picture.");
        }
        com::UniqueVariant value;
        com::ThrowIfFailed(picture->GetPicture(value.put()), "Legacy picture");
        com::ComPtr<IPictureDisp> display;
        if ((value.vt() == VT_DISPATCH || value.vt() == VT_UNKNOWN) && value.get().punkVal) {
            value.get().punkVal->QueryInterface(IID_IPictureDisp, display.put_void());
        }
        if (!display) {
            throw Failure(DISP_E_TYPEMISMATCH, "The legacy thumbnail holds no picture.");
        }
        return std::make_shared<inventor::ComPicture>(std::move(display));
    }

private:
    com::ComPtr<ILegacyThumbnailReader> reader_;
};

} // namespace

std::unique_ptr<LegacyThumbnailReader> ComLegacyReaderFactory::Create() {
    com::ComPtr<ILegacyThumbnailReader> reader;
    com::ThrowIfFailed(CoCreateInstance(kLegacyReaderClass, nullptr, CLSCTX_INPROC_SERVER,
                                        kLegacyReaderInterface, reader.put_void()),
                       "Creating the legacy thumbnail reader");
    return std::make_unique<ComLegacyReader>(std::move(reader));
}

} // namespace pw::thumbnail
