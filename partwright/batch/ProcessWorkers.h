#pragma once

#include "ParallelExport.h"

namespace pw::batch {

// Workers as processes of this very program, in one job object: when the run ends, is stopped
// with Ctrl+C or is killed, its workers end with it.
class ProcessWorkers : public WorkerPool {
public:
    void RunAll(const std::vector<std::vector<std::string>>& jobs, unsigned parallel,
                const std::function<void(std::size_t job, WorkerEnd end)>& ended) override;
};

// An argument as the C runtime reads it back from a command line (quotes and the backslashes
// before them escaped).
std::wstring QuotedArgument(const std::wstring& argument);

} // namespace pw::batch
