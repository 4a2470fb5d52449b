#pragma once

#include "WorkbookModel.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The pictures of the files a workbook lists, each file's image kept once for all its rows.
namespace pw::workbook {

// A file's picture is drawn to fit a square of 72 pixels (three quarters of an inch on screen
// and on paper), centred in a cell of 80: a row of 60 points and a column of 10.71 characters.
inline constexpr std::int32_t kPictureSide = 72;
inline constexpr std::int32_t kPictureCellPixels = 80;
inline constexpr double kPictureRowHeight = 60;
inline constexpr double kPictureColumnWidth = 10.71;

class FileImages {
public:
    // The file's image, named by the file's full name; a file named again keeps its first.
    void Add(const std::string& file, Image image);
    // The place of the file's image among Images(); nothing for a file without one.
    std::optional<std::size_t> Find(const std::string& file) const;
    const std::vector<Image>& Images() const noexcept { return images_; }

private:
    std::vector<Image> images_;
    std::unordered_map<std::string, std::size_t> placeOfFile_; // by the name folded to one case
};

} // namespace pw::workbook
