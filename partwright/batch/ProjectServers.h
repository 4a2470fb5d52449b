#pragma once

#include "shared/inventor/DocumentAccess.h"

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

} // namespace pw::batch
