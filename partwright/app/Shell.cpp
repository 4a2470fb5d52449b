#include "Shell.h"

#include "shared/com/TextConvert.h"

#include <windows.h>
#include <shellapi.h>

namespace pw::app {

bool ShellOpen(const std::string& target, const std::string& operation, int showCommand) {
    const HINSTANCE result =
        ShellExecuteA(nullptr, com::Utf8ToAnsi(operation).c_str(), com::Utf8ToAnsi(target).c_str(),
                      nullptr, nullptr, showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace pw::app
