#include "SetPlacing.h"

#include "shared/com/TextConvert.h"

#include <windows.h>

namespace pw::batch {
namespace {

// A copy of a read-only file is read-only too: it is made writable before it goes.
bool RemoveCopy(const std::wstring& copy) noexcept {
    SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(copy.c_str()) != FALSE;
}

} // namespace

SetPlacing::~SetPlacing() {
    if (!settled_) {
        Undo();
    }
}

void SetPlacing::Begin(std::wstring path, std::wstring copy) {
    entries_.push_back({std::move(path), std::move(copy), false});
}

void SetPlacing::Keep() noexcept {
    settled_ = true;
    for (const Entry& entry : entries_) {
        if (!entry.copy.empty()) {
            RemoveCopy(entry.copy);
        }
    }
}

std::string SetPlacing::Undo() noexcept {
    settled_ = true;
    std::string failed;
    const auto fail = [&](const std::string& clause) {
        failed += (failed.empty() ? "" : "; ") + clause;
    };
    try {
        for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
            const std::string path = com::WideToUtf8(entry->path);
            if (!entry->placed) {
                if (!entry->copy.empty()) {
                    RemoveCopy(entry->copy);
                }
            } else if (entry->copy.empty()) {
                if (!DeleteFileW(entry->path.c_str())) {
                    fail(path + " was written and could not be removed again");
                }
            } else if (!MoveFileExW(entry->copy.c_str(), entry->path.c_str(),
                                    MOVEFILE_REPLACE_EXISTING)) {
                fail(path + " could not be put back; its earlier content is in " +
                     com::WideToUtf8(entry->copy));
            }
        }
    } catch (...) {
        fail("the files could not all be put back"); // no memory left to name them
    }
    return failed;
}

} // namespace pw::batch
