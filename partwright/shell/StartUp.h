#pragma once

#include "ShellHost.h"
#include "modRegCommandLine.h"

#include <string>

namespace pw::shell {

// What the main window's start-up does with its controls.
class StartupView {
public:
    virtual ~StartupView() = default;
    virtual void SetStatus(const std::string& text) = 0;
    virtual std::string FileNameText() = 0;
    virtual void SetFileNameText(const std::string& text) = 0;
    virtual void LoadAssembly() = 0;
};

// The window's load handler before it is first shown: split the command line, check the
// Explorer verb, and load the assembly named by the first argument. A verb that cannot be
// registered (no write access) is reported in the status line, after the load's own status so
// that it stays visible; the program starts regardless, and the check runs again at the next
// start.
void RunStartUp(ShellHost& host, modRegCommandLine& module, StartupView& view);

} // namespace pw::shell
