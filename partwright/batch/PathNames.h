#pragma once

#include "partwright/export/CellText.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace pw::batch {

// The file name of a path, as the run's lines name an assembly.
inline std::string NameOf(const std::string& path) {
    std::string folder;
    std::string name;
    excel::SplitPath(path, folder, name);
    return name;
}

// The file name without its extension.
inline std::string StemOf(const std::string& path) {
    const std::string name = NameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// "1.2 s" since `since`, as the run's lines give times.
inline std::string SecondsSince(std::chrono::steady_clock::time_point since) {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - since;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", elapsed.count());
    return text;
}

} // namespace pw::batch
