#include "ProjectServers.h"

#include "partwright/model/AssemblyLoader.h"
#include "shared/core/OneLine.h"
#include "shared/core/Step.h"

#include <exception>

namespace pw::batch {

std::shared_ptr<inventor::Server> ProjectServers::Create(const std::string& progId) {
    std::shared_ptr<inventor::Server> server = servers_.Create(progId);
    if (projectFile_) {
        // A project that cannot be activated leaves no server: the run must not go on under
        // another project.
        used_ = server->ActivateProject(*projectFile_);
    } else {
        used_.reset();
        RunStep([&] { used_ = server->ActiveProject(); });
    }
    return server;
}

bool ProjectUsable(ProjectServers& servers, const std::optional<std::string>& projectFile,
                   const std::function<void(const std::string&)>& report) {
    if (!projectFile) {
        return true;
    }
    try {
        servers.Create(model::kApprenticeProgId);
        return true;
    } catch (const std::exception& failure) {
        report("partwright-export: the project " + *projectFile +
               " cannot be used, so nothing was exported: " + OneLine(failure.what()));
        return false;
    }
}

} // namespace pw::batch
