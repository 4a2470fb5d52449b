#pragma once

#include "ShellHost.h"

namespace pw::shell {

// The running process on Windows: its command line, its executable's place, message boxes
// owned by the active window, and files.
class WindowsShellHost : public ShellHost {
public:
    std::string ArgumentText() override;
    std::string ExeFolder() override;
    std::string ExeName() override;
    int MsgBox(const std::string& text, const std::string& caption, int style) override;
    bool FileExists(const std::string& path) override;
    void RemoveFile(const std::string& path) override;
    void WriteTextFile(const std::string& path, const std::string& text) override;
};

// The arguments of a command line: what follows the program's path (quoted or not) and the
// blanks after it.
std::string ArgumentTextOf(const std::string& commandLine);

} // namespace pw::shell
