#pragma once

#include "OutputFiles.h"

namespace pw::batch {

// The file system, each file written through an AtomicFile; a set is put in place one file after
// another, with the files it replaces moved aside until all are in.
class WindowsOutputFiles : public OutputFiles {
public:
    PathHolds At(const std::string& path) override;
    // Upper-cased as NTFS compares names, for every script (Armenian, full-width Latin, ...).
    std::string SameFileKey(const std::string& path) override;
    void WriteAll(const std::vector<OutputFile>& files, bool replace) override;
};

} // namespace pw::batch
