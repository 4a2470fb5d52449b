#pragma once

#include <string>
#include <vector>

namespace pw::batch {

// The assemblies named on the command line as full paths. The command prompt hands a pattern
// over as typed, so "*.iam" and "Project\Gear?.iam" are expanded here, matching files sorted by
// name; a pattern that matches nothing stays as it is, to be reported as matching nothing.
std::vector<std::string> AssemblyPaths(const std::vector<std::string>& arguments);

// A file named on the command line as a full path (taken from the current folder).
std::string FullPathOf(const std::string& path);

// The folder as a full path, made with its parents when missing. Raises a Failure saying why
// when it cannot be made.
std::string MadeFolder(const std::string& folder);

} // namespace pw::batch
