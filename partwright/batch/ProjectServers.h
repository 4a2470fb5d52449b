#pragma once

#include "shared/inventor/DocumentAccess.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace pw::batch {

// Starts each Apprentice server of a run under the project the run was given, activated for the
// run alone (the user's default project stays as it is), before it opens anything; without one,
// under the user's active project. Either way the project used is known for the summary.
class ProjectServers : public inventor::ServerFactory {
public:
    ProjectServers(inventor::ServerFactory& servers, std::optional<std::string> projectFile)
        : servers_(servers), projectFile_(std::move(projectFile)) {}

    std::shared_ptr<inventor::Server> Create(const std::string& progId) override;

    // The project of the last server started; nothing before one was, or when it could not be
    // read.
    const std::optional<inventor::DesignProjectName>& Used() const noexcept { return used_; }

private:
    inventor::ServerFactory& servers_;
    std::optional<std::string> projectFile_;
    std::optional<inventor::DesignProjectName> used_;
};

// Whether the run's project, if it was given one, can be activated: a server is started under it
// before anything is written. When it cannot, `report` is told why.
bool ProjectUsable(ProjectServers& servers, const std::optional<std::string>& projectFile,
                   const std::function<void(const std::string&)>& report);

} // namespace pw::batch
