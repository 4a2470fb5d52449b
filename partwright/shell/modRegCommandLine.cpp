#include "modRegCommandLine.h"

namespace pw::shell {
namespace {

constexpr int kYesNo = 4;
constexpr int kAnswerYes = 6;

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string ProgramPartOf(const std::string& command) {
    const std::string trimmed = TrimBlanks(command);
    if (!trimmed.empty() && trimmed.front() == '"') {
        const auto closing = trimmed.find('"', 1);
        return TrimBlanks(
            trimmed.substr(1, closing == std::string::npos ? std::string::npos : closing - 1));
    }
    return TrimBlanks(trimmed.substr(0, trimmed.find('"')));
}

modRegCommandLine::modRegCommandLine(RegistryApi& registry, ShellHost& host)
    : registry_(registry), host_(host) {}

cRegistry& modRegCommandLine::oRegistry() {
    if (!accessor_) {
        accessor_.emplace(registry_, host_.ExeName());
    }
    return *accessor_;
}

std::string modRegCommandLine::ExpectedPath() {
    return host_.ExeFolder() + "\\" + host_.ExeName() + ".exe";
}

std::string modRegCommandLine::ProgramPath() {
    const std::string path = ExpectedPath();
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

std::string modRegCommandLine::CommandText() {
    return ProgramPath() + " \"%1\"";
}

void modRegCommandLine::CheckShellVerb() {
    cRegistry& registry = oRegistry();
    registry.ClassKey(kClassesRoot);
    registry.SectionKey(kVerbKey);
    registry.ValueKey("");
    if (!registry.KeyExists()) {
        RegisterShellVerb();
        return;
    }
    const RegValue stored = registry.Value();
    const auto* text = std::get_if<std::string>(&stored);
    if (text && ProgramPartOf(*text) == ExpectedPath()) {
        return;
    }
    if (host_.MsgBox("Mismatch in Registry on This appliaction's associations\r"
                     "Do you want it fixed",
                     "Fix File Association", kYesNo) == kAnswerYes) {
        RegisterShellVerb();
    }
}

void modRegCommandLine::RegisterShellVerb() {
    cRegistry& registry = oRegistry();
    const std::string command = CommandText();

    registry.ClassKey(kClassesRoot);
    registry.SectionKey(kVerbKey);
    registry.ValueKey("");
    registry.CreateKey();
    registry.ValueType(static_cast<std::int32_t>(kRegSz));
    registry.Value(RegValue{command});

    registry.ClassKey(kLocalMachine);
    registry.SectionKey(kMachineVerbKey);
    registry.ValueKey("");
    registry.CreateKey();
    registry.Value(RegValue{command});

    const std::string script = host_.ExeFolder() + "\\" + kUninstallScriptName;
    if (host_.FileExists(script)) {
        host_.RemoveFile(script);
    }
    host_.WriteTextFile(script,
                        "REGEDIT4\r\n"
                        "\r\n"
                        "[-HKEY_CLASSES_ROOT\\Inventor.AssemblyDocument\\SHELL\\Partwright]\r\n"
                        "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Inventor.AssemblyDocument\\SHELL"
                        "\\Partwright]\r\n");
}

} // namespace pw::shell
