#include "StandinProject.h"

#include "StandinFiles.h"

#include <nlohmann/json.hpp>

namespace pw::standins {

StandinProject DefaultProject() {
    return {"", "Default", "", {}, {}, {}};
}

std::optional<StandinProject> ReadStandinProject(const std::string& fullFileName) {
    const auto text = ReadFileText(fullFileName);
    if (!text) {
        return std::nullopt;
    }
    try {
        const nlohmann::json file = nlohmann::json::parse(*text);
        const std::string folder = FolderOf(fullFileName);
        const auto paths = [&](const char* key) {
            std::vector<std::string> resolved;
            const nlohmann::json listed = file.value(key, nlohmann::json::array());
            for (const auto& path : listed) {
                resolved.push_back(ResolvePath(folder, path.get<std::string>()));
            }
            return resolved;
        };
        StandinProject project;
        project.fullFileName = fullFileName;
        project.name = file.at("name").get<std::string>();
        if (file.contains("workspace")) {
            project.workspace = ResolvePath(folder, file.at("workspace").get<std::string>());
        }
        project.localSearchPaths = paths("localSearchPaths");
        project.workgroupSearchPaths = paths("workgroupSearchPaths");
        const nlohmann::json libraries = file.value("libraries", nlohmann::json::object());
        for (const auto& [name, path] : libraries.items()) {
            project.libraries.emplace_back(name, ResolvePath(folder, path.get<std::string>()));
        }
        return project;
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
}

std::vector<std::string> CandidatePaths(const StandinProject& project,
                                        const std::string& documentFolder,
                                        const std::string& reference, const std::string& library) {
    if (!library.empty()) {
        for (const auto& [name, folder] : project.libraries) {
            if (name == library) {
                return {ResolvePath(folder, reference)};
            }
        }
        return {};
    }
    std::vector<std::string> candidates = {ResolvePath(documentFolder, reference)};
    const auto add = [&](const std::string& folder) {
        if (!folder.empty()) {
            candidates.push_back(ResolvePath(folder, reference));
        }
    };
    add(project.workspace);
    for (const std::string& folder : project.localSearchPaths) {
        add(folder);
    }
    for (const std::string& folder : project.workgroupSearchPaths) {
        add(folder);
    }
    return candidates;
}

} // namespace pw::standins
