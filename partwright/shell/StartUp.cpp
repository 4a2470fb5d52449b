#include "StartUp.h"

#include "CommandLine.h"

namespace pw::shell {

void RunStartUp(ShellHost& host, modRegCommandLine& module, StartupView& view) {
    const std::vector<std::string> arguments = GetCommandLineArgs(host.ArgumentText());
    try {
        module.CheckShellVerb();
    } catch (const Failure& failure) {
        view.SetStatus(std::string("Could not register the Explorer verb: ") + failure.what());
    }
    if (arguments.size() > 1) {
        view.SetFileNameText(arguments[1]);
        if (!view.FileNameText().empty()) {
            view.LoadAssembly();
        }
    }
}

} // namespace pw::shell
