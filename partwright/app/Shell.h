#pragma once

#include <string>

namespace pw::app {

// Hands a web address or a "mailto:" address to the desktop shell; true when it took it.
bool ShellOpen(const std::string& target, const std::string& operation = "Open",
               int showCommand = 0);

} // namespace pw::app
