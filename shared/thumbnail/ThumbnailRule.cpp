#include "ThumbnailRule.h"

#include "shared/core/Step.h"

namespace pw::thumbnail {

std::shared_ptr<inventor::Picture> PictureOf(inventor::Server& server, LegacyReaderFactory& legacy,
                                             const std::string& fullPath) {
    std::shared_ptr<inventor::Document> document;
    RunStep([&] { document = server.Open(fullPath); });
    return document ? PictureOfDocument(*document, legacy, fullPath) : nullptr;
}

std::shared_ptr<inventor::Picture> PictureOfDocument(inventor::Document& document,
                                                     LegacyReaderFactory& legacy,
                                                     const std::string& fullPath) {
    std::int32_t version = kFirstThumbnailVersion;
    RunStep([&] { version = document.Version(); });

    std::shared_ptr<inventor::Picture> picture;
    if (version >= kFirstThumbnailVersion) {
        RunStep([&] { picture = document.Thumbnail(); });
        return picture;
    }
    std::unique_ptr<LegacyThumbnailReader> reader;
    RunStep([&] { reader = legacy.Create(); });
    if (reader) {
        RunStep([&] { picture = reader->PictureOf(fullPath); });
    }
    return picture;
}

} // namespace pw::thumbnail
