#pragma once

#include "StandinDocument.h"
#include "shared/inventor/DocumentAccess.h"

#include <memory>
#include <string>

namespace pw::standins {

// A stored preview picture of the stand-in: the image file beside the document.
class StandinPicture : public inventor::Picture {
public:
    explicit StandinPicture(std::string imageFile) : imageFile_(std::move(imageFile)) {}
    const std::string& ImageFile() const { return imageFile_; }

private:
    std::string imageFile_;
};

// The Apprentice server over stand-in document files. A referenced file that is missing makes
// the occurrence's definition and document unreachable (E_FAIL), as Apprentice does.
std::shared_ptr<inventor::Server> MakeStandinServer(const std::string& startFolder);

// Starts stand-in servers under Apprentice's programmatic identifier.
class StandinServerFactory : public inventor::ServerFactory {
public:
    explicit StandinServerFactory(std::string startFolder) : startFolder_(std::move(startFolder)) {}
    std::shared_ptr<inventor::Server> Create(const std::string& progId) override;

private:
    std::string startFolder_;
};

} // namespace pw::standins
