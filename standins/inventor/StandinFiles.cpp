#include "StandinFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace pw::standins {
namespace {

bool IsAbsolute(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

std::filesystem::path Host(const std::string& windowsPath) {
    const std::string host = HostPath(windowsPath);
    return std::filesystem::path(std::u8string(host.begin(), host.end()));
}

} // namespace

std::string HostPath(const std::string& windowsPath) {
#ifdef _WIN32
    return windowsPath;
#else
    std::string path = windowsPath;
    if (path.size() >= 2 && path[1] == ':' && (path[0] == 'Z' || path[0] == 'z')) {
        path = path.substr(2);
    }
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    return path;
#endif
}

std::string WindowsPathOf(const std::string& hostPath) {
#ifdef _WIN32
    return hostPath;
#else
    std::string path = "Z:" + hostPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
#endif
}

std::optional<std::string> ReadFileText(const std::string& windowsPath) {
    std::ifstream file(Host(windowsPath), std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool FileExists(const std::string& windowsPath) {
    std::error_code error;
    return std::filesystem::is_regular_file(Host(windowsPath), error);
}

std::string FolderOf(const std::string& windowsPath) {
    const auto slash = windowsPath.rfind('\\');
    return slash == std::string::npos ? std::string() : windowsPath.substr(0, slash);
}

std::string ResolvePath(const std::string& folder, const std::string& reference) {
    std::string joined = IsAbsolute(reference) ? reference : folder + "\\" + reference;
    for (char& c : joined) {
        if (c == '/') {
            c = '\\';
        }
    }
    std::vector<std::string> parts;
    std::string part;
    std::istringstream pieces(joined);
    while (std::getline(pieces, part, '\\')) {
        if (part == "..") {
            if (parts.size() > 1) {
                parts.pop_back();
            }
        } else if (part != "." && !(part.empty() && !parts.empty())) {
            parts.push_back(part);
        }
    }
    std::string resolved;
    for (const std::string& piece : parts) {
        resolved += (resolved.empty() && &piece == &parts.front() ? "" : "\\") + piece;
    }
    return resolved;
}

} // namespace pw::standins
