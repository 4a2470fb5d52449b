#pragma once

#include <string>
#include <vector>

namespace pw::batch {

struct OutputFile {
    std::string path;
    std::string bytes;
};

// What stands under a path the export is to write.
enum class PathHolds { Nothing, File, Other };

// Where the exported files go, by Windows path.
class OutputFiles {
public:
    virtual ~OutputFiles() = default;
    virtual PathHolds At(const std::string& path) = 0;
    // The path in the one letter case the file system sees in all of its cases: two paths of
    // the same key are the same file.
    virtual std::string SameFileKey(const std::string& path) = 0;
    // Puts the files under their paths, each whole and all of them or none: when one cannot be
    // put in place, those already placed go and the files they replaced are back. A file there
    // already is kept unless `replace`. Raises a Failure saying why when the set was not written.
    virtual void WriteAll(const std::vector<OutputFile>& files, bool replace) = 0;
};

} // namespace pw::batch
