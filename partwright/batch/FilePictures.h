#pragma once

#include "partwright/model/BomModel.h"
#include "partwright/workbook/FileImages.h"
#include "shared/inventor/DocumentAccess.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pw::batch {

// Reads the picture Inventor saved with a file, through the server that loaded its assembly.
class PictureReader {
public:
    virtual ~PictureReader() = default;
    // The file's picture drawn to fit workbook::kPictureSide, as a PNG image; nothing when the
    // file has none. Raises a Failure when it has one that cannot be drawn or encoded.
    virtual std::optional<workbook::Image> ImageOf(inventor::Server& server,
                                                   const std::string& fullFileName) = 0;
};

// The pictures of one assembly's files, and what has none.
struct AssemblyPictures {
    workbook::FileImages images;
    // Each file without a picture, in the order of the BOM: its name, and why when its picture
    // could not be read.
    std::vector<std::string> filesWithout;
    std::int64_t virtualComponents = 0; // distinct virtual components: no file, no picture

    std::int64_t Without() const {
        return static_cast<std::int64_t>(filesWithout.size()) + virtualComponents;
    }
};

// The picture of every distinct file the model lists (not its missing components), each read
// once; `reader` may be null, when no picture can be read at all.
AssemblyPictures ReadPictures(const model::BomModel& model, inventor::Server* server,
                              PictureReader* reader);

// "  without a picture: 2 files (Skeleton.ipt, Frame.ipt) and 1 virtual component", the first
// five files named; nothing when every file has its picture.
std::optional<std::string> WithoutPictureText(const AssemblyPictures& pictures);

} // namespace pw::batch
