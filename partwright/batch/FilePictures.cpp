#include "FilePictures.h"

#include "PathNames.h"
#include "partwright/export/BomSheets.h"
#include "partwright/export/CellText.h"
#include "shared/core/CaseFold.h"
#include "shared/core/NumberText.h"
#include "shared/core/Step.h"

#include <algorithm>
#include <unordered_set>

namespace pw::batch {
namespace {

constexpr std::size_t kNamedWithout = 5;

} // namespace

void PictureCapture::FileRead(const std::string& fullFileName, inventor::Document& document) {
    const auto [taken, first] = taken_.try_emplace(FoldCase(fullFileName));
    if (first && reader_) {
        RunStep([&] { taken->second.image = reader_->ImageOf(document, fullFileName); },
                taken->second.why);
    }
}

AssemblyPictures PictureCapture::Of(const model::BomModel& model) const {
    AssemblyPictures pictures;
    std::unordered_set<std::string> seen; // folded file names and virtual components' keys
    for (const auto& record : model.FileData) {
        if (!excel::Exported(*record) || record->Kind == model::ComponentKind::Missing) {
            continue;
        }
        const auto [key, first] = seen.insert(FoldCase(record->FileName));
        if (!first) {
            continue;
        }
        const std::string file = excel::PictureFileOf(*record);
        if (file.empty()) {
            ++pictures.virtualComponents;
            continue;
        }
        const auto taken = taken_.find(*key);
        if (taken != taken_.end() && taken->second.image) {
            pictures.images.Add(file, *taken->second.image);
        } else {
            const std::string why = taken != taken_.end() ? taken->second.why : std::string();
            pictures.filesWithout.push_back(why.empty() ? NameOf(file) : NameOf(file) + ": " + why);
        }
    }
    return pictures;
}

std::optional<std::string> WithoutPictureText(const AssemblyPictures& pictures) {
    if (pictures.Without() == 0) {
        return std::nullopt;
    }
    std::string text = "  without a picture: ";
    if (!pictures.filesWithout.empty()) {
        text +=
            CountedText(static_cast<std::int64_t>(pictures.filesWithout.size()), "file", "files") +
            " (";
        // A few names say which; a thousand would bury the run's other lines.
        const std::size_t named = std::min(pictures.filesWithout.size(), kNamedWithout);
        for (std::size_t i = 0; i < named; ++i) {
            text += (i == 0 ? "" : ", ") + pictures.filesWithout[i];
        }
        if (named < pictures.filesWithout.size()) {
            text += " and " +
                    IntegerText(static_cast<std::int64_t>(pictures.filesWithout.size() - named)) +
                    " more";
        }
        text += ")";
    }
    if (pictures.virtualComponents > 0) {
        text += (pictures.filesWithout.empty() ? "" : " and ") +
                CountedText(pictures.virtualComponents, "virtual component", "virtual components");
    }
    return text;
}

} // namespace pw::batch
