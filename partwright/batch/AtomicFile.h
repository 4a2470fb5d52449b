#pragma once

#include "shared/com/UniqueHandle.h"

#include <string>
#include <string_view>

namespace pw::batch {

// A file that appears under its name complete or not at all. It is written under a short
// temporary name in the folder of its final one, marked for deletion all the while, so that the
// system removes it when the process ends before Commit, however it ends; Commit unmarks it and
// renames it over the final name in one step. An existing file under the final name stays as it was
// until then.
class AtomicFile {
public:
    // Raises a Failure when the temporary file cannot be made.
    explicit AtomicFile(std::wstring path);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void Write(std::string_view bytes);
    // Puts the file under its name; a file there already is replaced only when `replace`.
    void Commit(bool replace);

    const std::wstring& TemporaryPath() const noexcept { return temporary_; }

    // A short name beside `path` that no other file of this process takes, ending in `ending`:
    // a name as long as the system allows stays writable however long the final name is.
    static std::wstring TemporaryName(const std::wstring& path, const wchar_t* ending);

private:
    bool MarkForDeletion(bool deletion) noexcept;

    std::wstring path_;
    std::wstring temporary_;
    com::UniqueHandle file_;
};

} // namespace pw::batch
