#pragma once

#include "RegistryApi.h"
#include "ShellHost.h"
#include "cRegistry.h"

#include <optional>
#include <string>

namespace pw::shell {

inline constexpr const char* kVerbKey = "Inventor.AssemblyDocument\\SHELL\\Partwright\\Command";
inline constexpr const char* kMachineVerbKey =
    "SOFTWARE\\Classes\\Inventor.AssemblyDocument\\SHELL\\Partwright\\command";
inline constexpr const char* kUninstallScriptName = "UnRegPartwright.reg";

// Keeps the Explorer verb "Partwright" on Inventor assembly documents pointed at the running
// executable, and writes the script that removes it. Registry failures are raised to the caller.
class modRegCommandLine {
public:
    modRegCommandLine(RegistryApi& registry, ShellHost& host);

    // Registers the verb when it is missing; offers to repair it when it points elsewhere.
    void CheckShellVerb();
    // Writes the verb under both roots, then the uninstall script beside the executable.
    void RegisterShellVerb();

    // The program path as the verb stores it, quoted when it holds a blank so that Windows
    // cannot start another program (C:\Program.exe) in its place.
    std::string ProgramPath();
    std::string CommandText();
    // The shared accessor, made on first use.
    cRegistry& oRegistry();

private:
    std::string ExpectedPath();

    RegistryApi& registry_;
    ShellHost& host_;
    std::optional<cRegistry> accessor_;
};

// The program part of a stored verb command: the path before the quoted "%1", with or without
// quotation marks around it, less surrounding blanks.
std::string ProgramPartOf(const std::string& command);

} // namespace pw::shell
