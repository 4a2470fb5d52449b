#include "CommandLinePaths.h"

#include "shared/com/ComFailure.h"
#include "shared/com/TextConvert.h"
#include "shared/com/UniqueHandle.h"
#include "shared/core/CaseFold.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>

namespace pw::batch {
namespace {

std::wstring FullPath(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return path;
    }
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    full.resize(written);
    return written == 0 ? path : full;
}

std::vector<std::wstring> Matches(const std::wstring& pattern) {
    const std::size_t slash = pattern.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : pattern.substr(0, slash + 1);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const com::UniqueFindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) {
        return {};
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(found.cFileName);
        }
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return FoldCase(com::WideToUtf8(a)) < FoldCase(com::WideToUtf8(b));
    });
    for (std::wstring& name : names) {
        name = folder + name;
    }
    return names;
}

} // namespace

std::string FullPathOf(const std::string& path) {
    return com::WideToUtf8(FullPath(com::Utf8ToWide(path)));
}

std::vector<std::string> AssemblyPaths(const std::vector<std::string>& arguments) {
    std::vector<std::string> paths;
    for (const std::string& argument : arguments) {
        const std::wstring wide = com::Utf8ToWide(argument);
        std::vector<std::wstring> matches;
        if (wide.find_first_of(L"*?") != std::wstring::npos) {
            matches = Matches(wide);
        }
        if (matches.empty()) {
            matches.push_back(wide);
        }
        for (const std::wstring& match : matches) {
            paths.push_back(com::WideToUtf8(FullPath(match)));
        }
    }
    return paths;
}

std::string MadeFolder(const std::string& folder) {
    const std::wstring full = FullPath(com::Utf8ToWide(folder));
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(full), error);
    const auto isFolder = [](const std::wstring& path) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    };
    if (isFolder(full)) {
        return com::WideToUtf8(full);
    }
    const std::string cannot = "the folder " + folder + " cannot be made";
    // A file where the folder or one of its parents should be is the usual reason.
    for (std::wstring path = full;;) {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES && !isFolder(path)) {
            throw Failure(kEFail, cannot + ": " + com::WideToUtf8(path) + " is a file");
        }
        const std::size_t slash = path.find_last_of(L"\\/");
        if (slash == std::wstring::npos || slash == 0) {
            break;
        }
        path.resize(slash);
    }
    // Otherwise the system's own reason: access denied, a name it refuses, no such drive.
    if (!CreateDirectoryW(full.c_str(), nullptr)) {
        throw com::HresultFailure(HRESULT_FROM_WIN32(GetLastError()), cannot);
    }
    return com::WideToUtf8(full);
}

} // namespace pw::batch
