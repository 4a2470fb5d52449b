#pragma once

#include <string>

namespace pw::tests {

// The samples folder as Windows (and Wine, whose drive Z: is the root folder) names it.
inline std::string SamplesFolder() {
    std::string path = "Z:" + std::string(PARTWRIGHT_SAMPLES_DIR);
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

} // namespace pw::tests
