#include "ProjectServers.h"

#include "shared/core/Step.h"

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

} // namespace pw::batch
