#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pw::standins {

// An Inventor project (.ipj) as the stand-in keeps one: a UTF-8 JSON file
//   {"name": "Frames", "workspace": "Designs", "localSearchPaths": [...],
//    "workgroupSearchPaths": [...], "libraries": {"Content Center Files": "Library\\CC"}}
// whose paths are relative to the project file's folder (or absolute).
struct StandinProject {
    std::string fullFileName; // empty for the default project
    std::string name;
    std::string workspace;
    std::vector<std::string> localSearchPaths;
    std::vector<std::string> workgroupSearchPaths;
    std::vector<std::pair<std::string, std::string>> libraries; // name, folder
};

// The project Inventor makes active when none was chosen: "Default", without paths, so that only
// references relative to their assembly resolve.
StandinProject DefaultProject();

// The project file read; nothing when it is missing or not one.
std::optional<StandinProject> ReadStandinProject(const std::string& fullFileName);

// Where Inventor looks for a reference, in its order: a library reference in its library's folder
// only; any other first beside the referencing document (relative paths), then in the workspace,
// the local search paths and the workgroup search paths. A library the project lacks gives none.
std::vector<std::string> CandidatePaths(const StandinProject& project,
                                        const std::string& documentFolder,
                                        const std::string& reference, const std::string& library);

} // namespace pw::standins
