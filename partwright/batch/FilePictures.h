#pragma once

#include "partwright/model/BomModel.h"
#include "partwright/workbook/FileImages.h"
#include "shared/inventor/DocumentAccess.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace pw::batch {

// Reads the picture Inventor saved with a file, from its document while the load has it open.
class PictureReader {
public:
    virtual ~PictureReader() = default;
    // The picture of the file `fullFileName`, which `document` holds, drawn to fit
    // workbook::kPictureSide, as a PNG image; nothing when the file has none. Raises a Failure
    // when it has one that cannot be drawn or encoded.
    virtual std::optional<workbook::Image> ImageOf(inventor::Document& document,
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

// The pictures of the files a load reads, each taken once, as the load first reads the file: no
// file is opened again for its picture.
class PictureCapture {
public:
    // `reader` may be null, when no picture can be read at all.
    explicit PictureCapture(PictureReader* reader) : reader_(reader) {}

    void FileRead(const std::string& fullFileName, inventor::Document& document);
    // The pictures of every distinct file the model's rows show (not its missing components).
    AssemblyPictures Of(const model::BomModel& model) const;

private:
    struct Taken {
        std::optional<workbook::Image> image;
        std::string why; // when the picture could not be read
    };
    PictureReader* reader_;
    std::unordered_map<std::string, Taken> taken_; // by the file's name folded to one case
};

// "  without a picture: 2 files (Skeleton.ipt, Frame.ipt) and 1 virtual component", the first
// five files named; nothing when every file has its picture.
std::optional<std::string> WithoutPictureText(const AssemblyPictures& pictures);

} // namespace pw::batch
