#include "WindowsOutputFiles.h"

#include "AtomicFile.h"
#include "shared/com/TextConvert.h"

#include <windows.h>

namespace pw::batch {

bool WindowsOutputFiles::Exists(const std::string& path) {
    return GetFileAttributesW(com::Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WindowsOutputFiles::Write(const std::string& path, const std::string& bytes, bool replace) {
    AtomicFile file(com::Utf8ToWide(path));
    file.Write(bytes);
    file.Commit(replace);
}

} // namespace pw::batch
