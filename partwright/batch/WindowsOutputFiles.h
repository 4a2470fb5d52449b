#pragma once

#include "OutputFiles.h"

namespace pw::batch {

// The file system, each file written through an AtomicFile.
class WindowsOutputFiles : public OutputFiles {
public:
    bool Exists(const std::string& path) override;
    void Write(const std::string& path, const std::string& bytes, bool replace) override;
};

} // namespace pw::batch
