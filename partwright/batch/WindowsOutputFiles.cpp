#include "WindowsOutputFiles.h"

#include "AtomicFile.h"
#include "SetPlacing.h"
#include "shared/com/ComFailure.h"
#include "shared/com/TextConvert.h"

#include <windows.h>

#include <memory>

namespace pw::batch {
PathHolds WindowsOutputFiles::At(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(com::Utf8ToWide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathHolds::Nothing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathHolds::Other : PathHolds::File;
}

std::string WindowsOutputFiles::SameFileKey(const std::string& path) {
    const std::wstring wide = com::Utf8ToWide(path);
    if (wide.empty()) {
        return {};
    }
    // Without linguistic casing the mapping is the system's own table, the one NTFS compares by.
    std::wstring key(wide.size(), L'\0');
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.c_str(),
                      static_cast<int>(wide.size()), key.data(), static_cast<int>(key.size()),
                      nullptr, nullptr, 0) == 0) {
        return path;
    }
    return com::WideToUtf8(key);
}

void WindowsOutputFiles::WriteAll(const std::vector<OutputFile>& files, bool replace) {
    // Every file whole under its temporary name first: a full disk stops the set here, with
    // nothing of it in place.
    std::vector<std::unique_ptr<AtomicFile>> written;
    for (const OutputFile& file : files) {
        written.push_back(std::make_unique<AtomicFile>(com::Utf8ToWide(file.path)));
        written.back()->Write(file.bytes);
    }
    SetPlacing placing;
    try {
        PlaceAll(files, written, replace, placing);
    } catch (const Failure& failure) {
        // A set that cannot be put back whole says which file is not as it was, and where its
        // earlier content is.
        const std::string notUndone = placing.Undo();
        if (notUndone.empty()) {
            throw;
        }
        throw Failure(failure.code(), std::string(failure.what()) + "; " + notUndone);
    }
    placing.Keep();
}

void WindowsOutputFiles::PlaceAll(const std::vector<OutputFile>& files,
                                  const std::vector<std::unique_ptr<AtomicFile>>& written,
                                  bool replace, SetPlacing& placing) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::wstring path = com::Utf8ToWide(files[i].path);
        // What is replaced is copied first, not moved aside: a run killed at any moment leaves
        // each file old or new, never missing, and a failure later in the set puts the copies
        // back.
        std::wstring copy;
        if (replace && At(files[i].path) == PathHolds::File) {
            copy = AtomicFile::TemporaryName(path, L".old");
            if (!CopyFileW(path.c_str(), copy.c_str(), TRUE)) {
                throw com::HresultFailure(HRESULT_FROM_WIN32(GetLastError()),
                                          "cannot keep a copy of " + files[i].path);
            }
        }
        placing.Begin(path, copy);
        written[i]->Commit(replace);
        placing.Placed();
    }
}

} // namespace pw::batch
