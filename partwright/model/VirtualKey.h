#pragma once

#include <string>

// A virtual component has no file: its unique entry is keyed by the assembly that defines it and
// its name, joined by a character no Windows path holds.
namespace pw::model {

inline std::string VirtualKey(const std::string& assembly, const std::string& name) {
    return assembly + "|" + name;
}

// The parts of a key: the component's name, and the assembly that defines it.
inline std::string VirtualNameOf(const std::string& key) {
    return key.substr(key.find('|') + 1);
}
inline std::string VirtualAssemblyOf(const std::string& key) {
    return key.substr(0, key.find('|'));
}

// "Grease (virtual, in C:\Work\Frame.iam)": how List1 shows the entry.
inline std::string VirtualShown(const std::string& key) {
    const auto bar = key.find('|');
    if (bar == std::string::npos) {
        return key;
    }
    return key.substr(bar + 1) + " (virtual, in " + key.substr(0, bar) + ")";
}

} // namespace pw::model
