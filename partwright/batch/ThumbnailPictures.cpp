#include "ThumbnailPictures.h"

#include "shared/inventor/ComPicture.h"
#include "shared/thumbnail/ThumbnailRule.h"

#include <utility>

namespace pw::batch {

std::optional<workbook::Image> ThumbnailPictures::ImageOf(inventor::Document& document,
                                                          const std::string& fullFileName) {
    const auto picture = std::dynamic_pointer_cast<inventor::ComPicture>(
        thumbnail::PictureOfDocument(document, legacy_, fullFileName));
    if (!picture || !picture->get()) {
        return std::nullopt;
    }
    if (!encoder_) {
        encoder_.emplace();
    }
    thumbnail::PngImage png = encoder_->Encode(picture->get(), workbook::kPictureSide);
    return workbook::Image{std::move(png.bytes), png.width, png.height};
}

} // namespace pw::batch
