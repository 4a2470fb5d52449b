#pragma once

#include <optional>
#include <string>

// Files of the Inventor stand-in, named by Windows paths as Inventor names them.
namespace pw::standins {

// The path as the host system opens it: unchanged on Windows; on other systems Wine's view of
// the disk, where drive Z: is the root folder.
std::string HostPath(const std::string& windowsPath);

// The Windows path of a host path: Z: and the path with backslashes, outside Windows.
std::string WindowsPathOf(const std::string& hostPath);

std::optional<std::string> ReadFileText(const std::string& windowsPath);
bool FileExists(const std::string& windowsPath);

// The folder part of a path, without its last backslash.
std::string FolderOf(const std::string& windowsPath);

// `reference` (relative, with either slash, or absolute) seen from `folder`, with "." and ".."
// resolved and the letter case kept as written.
std::string ResolvePath(const std::string& folder, const std::string& reference);

} // namespace pw::standins
