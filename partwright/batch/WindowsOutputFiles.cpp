#include "WindowsOutputFiles.h"

#include "AtomicFile.h"
#include "shared/com/ComFailure.h"
#include "shared/com/TextConvert.h"

#include <windows.h>

#include <memory>

namespace pw::batch {
namespace {

// Undoes a set's placing unless it is dismissed: a file placed where there was none goes, a file
// placed over another gets the other back from its copy.
class Placing {
public:
    Placing() = default;
    Placing(const Placing&) = delete;
    Placing& operator=(const Placing&) = delete;
    ~Placing() {
        for (const Entry& entry : entries_) {
            if (done_ || !entry.placed) {
                if (!entry.copy.empty()) {
                    DeleteFileW(entry.copy.c_str());
                }
            } else if (entry.copy.empty()) {
                DeleteFileW(entry.path.c_str());
            } else {
                MoveFileExW(entry.copy.c_str(), entry.path.c_str(), MOVEFILE_REPLACE_EXISTING);
            }
        }
    }
    // The file at `path` is about to be placed; `copy` (or nothing) holds what was there.
    void Begin(std::wstring path, std::wstring copy) {
        entries_.push_back({std::move(path), std::move(copy), false});
    }
    void Placed() { entries_.back().placed = true; }
    void Done() { done_ = true; }

private:
    struct Entry {
        std::wstring path;
        std::wstring copy;
        bool placed;
    };
    std::vector<Entry> entries_;
    bool done_ = false;
};

} // namespace

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
    Placing placing;
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
    placing.Done();
}

} // namespace pw::batch
