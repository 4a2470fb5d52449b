#include "WindowsShellHost.h"

#include "shared/com/ComFailure.h"
#include "shared/com/ModulePath.h"
#include "shared/com/TextConvert.h"
#include "shared/com/UniqueHandle.h"

#include <windows.h>

namespace pw::shell {
std::string ArgumentTextOf(const std::string& commandLine) {
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const auto closing = commandLine.find('"', 1);
        i = closing == std::string::npos ? commandLine.size() : closing + 1;
    } else {
        i = commandLine.find_first_of(" \t");
        i = i == std::string::npos ? commandLine.size() : i;
    }
    const auto rest = commandLine.find_first_not_of(" \t", i);
    return rest == std::string::npos ? std::string() : commandLine.substr(rest);
}

std::string WindowsShellHost::ArgumentText() {
    return ArgumentTextOf(com::WideToUtf8(GetCommandLineW()));
}

std::string WindowsShellHost::ExeFolder() {
    const std::wstring path = com::ModuleFileName(nullptr);
    return com::WideToUtf8(path.substr(0, path.find_last_of(L'\\')));
}

std::string WindowsShellHost::ExeName() {
    const std::wstring path = com::ModuleFileName(nullptr);
    std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    return com::WideToUtf8(name.substr(0, name.find_last_of(L'.')));
}

int WindowsShellHost::MsgBox(const std::string& text, const std::string& caption, int style) {
    return MessageBoxW(GetActiveWindow(), com::Utf8ToWide(text).c_str(),
                       com::Utf8ToWide(caption).c_str(), static_cast<UINT>(style));
}

bool WindowsShellHost::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(com::Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WindowsShellHost::RemoveFile(const std::string& path) {
    if (!DeleteFileW(com::Utf8ToWide(path).c_str())) {
        com::ThrowLastError("Deleting " + path);
    }
}

void WindowsShellHost::WriteTextFile(const std::string& path, const std::string& text) {
    const com::UniqueHandle file(CreateFileW(com::Utf8ToWide(path).c_str(), GENERIC_WRITE, 0,
                                             nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                             nullptr));
    if (!file) {
        com::ThrowLastError("Writing " + path);
    }
    const std::string ansi = com::Utf8ToAnsi(text);
    DWORD written = 0;
    if (!WriteFile(file.get(), ansi.data(), static_cast<DWORD>(ansi.size()), &written, nullptr) ||
        written != ansi.size()) {
        com::ThrowLastError("Writing " + path);
    }
}

} // namespace pw::shell
