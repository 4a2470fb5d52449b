#include "WindowsOutputFiles.h"

#include "AtomicFile.h"
#include "shared/com/ComFailure.h"
#include "shared/com/TextConvert.h"

#include <windows.h>

#include <memory>

namespace pw::batch {
namespace {

// Undoes a set's placing unless it is dismissed: the files placed go, the ones moved aside come
// back.
class Placing {
public:
    Placing() = default;
    Placing(const Placing&) = delete;
    Placing& operator=(const Placing&) = delete;
    ~Placing() {
        if (done_) {
            for (const std::wstring& aside : asides_) {
                DeleteFileW(aside.c_str());
            }
            return;
        }
        for (const std::wstring& path : placed_) {
            DeleteFileW(path.c_str());
        }
        for (std::size_t i = 0; i < asides_.size(); ++i) {
            MoveFileExW(asides_[i].c_str(), originals_[i].c_str(), 0);
        }
    }
    void MovedAside(std::wstring original, std::wstring aside) {
        originals_.push_back(std::move(original));
        asides_.push_back(std::move(aside));
    }
    void Placed(std::wstring path) { placed_.push_back(std::move(path)); }
    void Done() { done_ = true; }

private:
    std::vector<std::wstring> placed_;
    std::vector<std::wstring> originals_;
    std::vector<std::wstring> asides_;
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
        if (replace && At(files[i].path) == PathHolds::File) {
            const std::wstring aside = AtomicFile::TemporaryName(path, L".old");
            if (!MoveFileExW(path.c_str(), aside.c_str(), 0)) {
                throw com::HresultFailure(HRESULT_FROM_WIN32(GetLastError()),
                                          "cannot replace " + files[i].path);
            }
            placing.MovedAside(path, aside);
        }
        written[i]->Commit(false);
        placing.Placed(path);
    }
    placing.Done();
}

} // namespace pw::batch
