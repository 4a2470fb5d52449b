#pragma once

#include "AtomicFile.h"
#include "OutputFiles.h"
#include "SetPlacing.h"

#include <memory>

namespace pw::batch {

// The file system, each file written through an AtomicFile; a set is put in place one file after
// another, with copies of the files it replaces until all are in.
class WindowsOutputFiles : public OutputFiles {
public:
    PathHolds At(const std::string& path) override;
    // Upper-cased as NTFS compares names, for every script (Armenian, full-width Latin, ...).
    std::string SameFileKey(const std::string& path) override;
    void WriteAll(const std::vector<OutputFile>& files, bool replace) override;

private:
    void PlaceAll(const std::vector<OutputFile>& files,
                  const std::vector<std::unique_ptr<AtomicFile>>& written, bool replace,
                  SetPlacing& placing);
};

} // namespace pw::batch
