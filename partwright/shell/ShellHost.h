#pragma once

#include <string>

namespace pw::shell {

// What the command line and the Explorer verb need of the running process and its desktop.
class ShellHost {
public:
    virtual ~ShellHost() = default;
    // The command line less the program's own path.
    virtual std::string ArgumentText() = 0;
    // The folder that holds the running executable, as the system reports it.
    virtual std::string ExeFolder() = 0;
    // The executable's file name without its extension.
    virtual std::string ExeName() = 0;
    // A modal message box; returns the answer (Yes 6, No 7).
    virtual int MsgBox(const std::string& text, const std::string& caption, int style) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Raise a Failure when the file cannot be deleted or written.
    virtual void RemoveFile(const std::string& path) = 0;
    // Writes text (UTF-8 here) to a new file in the system's ANSI code page.
    virtual void WriteTextFile(const std::string& path, const std::string& text) = 0;
};

} // namespace pw::shell
