#pragma once

#include "shared/inventor/DocumentAccess.h"

#include <memory>
#include <string>

// The stored preview picture of an Inventor file, shared by the program and Peekpane.
namespace pw::thumbnail {

inline constexpr std::int32_t kFirstThumbnailVersion = 6000;

// Inventor's reader for the pictures of files saved before version 6000.
class LegacyThumbnailReader {
public:
    virtual ~LegacyThumbnailReader() = default;
    virtual std::shared_ptr<inventor::Picture> PictureOf(const std::string& fullPath) = 0;
};

class LegacyReaderFactory {
public:
    virtual ~LegacyReaderFactory() = default;
    // Raises a Failure when the old component is not installed.
    virtual std::unique_ptr<LegacyThumbnailReader> Create() = 0;
};

// Opens the file through the server and returns its picture: the document's thumbnail from
// version 6000 on (or when the version cannot be read), else the legacy reader's. The legacy
// reader is made only for such an old file, so current files show their pictures on machines
// without it. Every failure is absorbed step by step; nothing when no picture could be had.
std::shared_ptr<inventor::Picture> PictureOf(inventor::Server& server, LegacyReaderFactory& legacy,
                                             const std::string& fullPath);

// As PictureOf, from a document already open: the picture of the file `fullPath` it holds.
std::shared_ptr<inventor::Picture> PictureOfDocument(inventor::Document& document,
                                                     LegacyReaderFactory& legacy,
                                                     const std::string& fullPath);

} // namespace pw::thumbnail
