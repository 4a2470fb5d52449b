#include "StartUp.h"

#include "CommandLine.h"

namespace pw::shell {

void RunStartUp(ShellHost& host, modRegCommandLine& module, StartupView& view) {
    const std::vector<std::string> arguments = GetCommandLineArgs(host.ArgumentText());
    std::string verbFailure;
    try {
        module.CheckShellVerb();
    } catch (const Failure& failure) {
        verbFailure = std::string("Could not register the Explorer verb: ") + failure.what();
        view.SetStatus(verbFailure);
    }
    if (arguments.size() > 1) {
        view.SetFileNameText(arguments[1]);
        if (!view.FileNameText().empty()) {
            view.LoadAssembly();
            // The load writes the status line; the failure goes after it, so it stays visible.
            if (!verbFailure.empty()) {
                view.SetStatus(verbFailure);
            }
        }
    }
}

} // namespace pw::shell
