#include "CommandLine.h"

namespace pw::shell {

std::vector<std::string> GetCommandLineArgs(const std::string& argumentText, int maxArgs) {
    std::vector<std::string> arguments(1);
    bool inArgument = false;
    bool quoted = false;
    for (const char c : argumentText) {
        if ((c == ' ' || c == '\t') && !quoted) {
            inArgument = false;
            continue;
        }
        if (!inArgument) {
            if (static_cast<int>(arguments.size()) - 1 >= maxArgs) {
                break;
            }
            arguments.emplace_back();
            inArgument = true;
        }
        if (c == '"') {
            quoted = !quoted;
        } else {
            arguments.back() += c;
        }
    }
    return arguments;
}

} // namespace pw::shell
