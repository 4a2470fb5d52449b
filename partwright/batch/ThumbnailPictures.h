#pragma once

#include "FilePictures.h"
#include "shared/thumbnail/LegacyThumbnailCom.h"
#include "shared/thumbnail/PicturePng.h"

#include <optional>

namespace pw::batch {

// The pictures the window and Peekpane show, read by the same rule (the legacy reader for files
// saved before version 6000) and encoded as PNG by the Windows Imaging Component.
class ThumbnailPictures : public PictureReader {
public:
    std::optional<workbook::Image> ImageOf(inventor::Document& document,
                                           const std::string& fullFileName) override;

private:
    thumbnail::ComLegacyReaderFactory legacy_;
    std::optional<thumbnail::PngEncoder> encoder_; // started with the first picture
};

} // namespace pw::batch
