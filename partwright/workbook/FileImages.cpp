#include "FileImages.h"

#include "shared/core/CaseFold.h"

#include <utility>

namespace pw::workbook {

void FileImages::Add(const std::string& file, Image image) {
    if (placeOfFile_.try_emplace(FoldCase(file), images_.size()).second) {
        images_.push_back(std::move(image));
    }
}

std::optional<std::size_t> FileImages::Find(const std::string& file) const {
    const auto found = placeOfFile_.find(FoldCase(file));
    if (found == placeOfFile_.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace pw::workbook
