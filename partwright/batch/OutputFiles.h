#pragma once

#include <string>

namespace pw::batch {

// Where the exported files go, by Windows path.
class OutputFiles {
public:
    virtual ~OutputFiles() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Puts the bytes under the path whole or not at all; a file that is there already is kept
    // unless `replace`. Raises a Failure saying why when the file was not written.
    virtual void Write(const std::string& path, const std::string& bytes, bool replace) = 0;
};

} // namespace pw::batch
