#include "AtomicFile.h"

#include "shared/com/ComFailure.h"
#include "shared/com/TextConvert.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <vector>

namespace pw::batch {
std::wstring AtomicFile::TemporaryName(const std::wstring& path, const wchar_t* ending) {
    static std::atomic<unsigned> made{0};
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
    return folder + L"~pw" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++made) + ending;
}

AtomicFile::AtomicFile(std::wstring path)
    : path_(std::move(path)), temporary_(TemporaryName(path_, L".partial")) {
    // DELETE access: the handle marks, unmarks and renames the file.
    file_.reset(CreateFileW(temporary_.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) {
        com::ThrowLastError("cannot create " + com::WideToUtf8(temporary_));
    }
    if (!MarkForDeletion(true)) {
        com::ThrowLastError("cannot prepare " + com::WideToUtf8(temporary_));
    }
}

bool AtomicFile::MarkForDeletion(bool deletion) noexcept {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deletion ? TRUE : FALSE;
    return SetFileInformationByHandle(file_.get(), FileDispositionInfo, &disposition,
                                      sizeof disposition) != FALSE;
}

void AtomicFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr)) {
            com::ThrowLastError("cannot write " + com::WideToUtf8(temporary_));
        }
        bytes.remove_prefix(written);
    }
}

void AtomicFile::Commit(bool replace) {
    if (!FlushFileBuffers(file_.get())) {
        com::ThrowLastError("cannot write " + com::WideToUtf8(temporary_));
    }
    if (!MarkForDeletion(false)) {
        com::ThrowLastError("cannot keep " + com::WideToUtf8(temporary_));
    }
    // FILE_RENAME_INFO ends in the new name, sized to hold it.
    const std::size_t nameBytes = path_.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = replace ? TRUE : FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(rename->FileName, path_.data(), nameBytes);
    if (!SetFileInformationByHandle(file_.get(), FileRenameInfo, rename,
                                    static_cast<DWORD>(buffer.size()))) {
        const DWORD error = GetLastError();
        // Not renamed: the temporary file goes again when its handle closes.
        MarkForDeletion(true);
        SetLastError(error);
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
            com::ThrowLastError(com::WideToUtf8(path_) + " exists");
        }
        com::ThrowLastError("cannot rename " + com::WideToUtf8(temporary_) + " to " +
                            com::WideToUtf8(path_));
    }
    file_.reset();
}

} // namespace pw::batch
