#pragma once

#include "BatchOptions.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pw::batch {

// How a worker process ended: what it wrote to standard error, and its exit status.
struct WorkerEnd {
    std::string output;
    std::uint32_t exitStatus = 0;
};

// Starts the program again as worker processes.
class WorkerPool {
public:
    virtual ~WorkerPool() = default;
    // Runs each job (the program's arguments) in a worker process of its own, at most
    // `parallel` at once; `ended` is called on the calling thread as each one ends.
    virtual void RunAll(const std::vector<std::vector<std::string>>& jobs, unsigned parallel,
                        const std::function<void(std::size_t job, WorkerEnd end)>& ended) = 0;
};

// The assemblies of a run exported by workers, each with an Apprentice of its own (Apprentice is
// single-threaded: parallel work is a process per worker). Each worker writes its files as a run
// of its own would; the lines come out in the order the assemblies were given, then the run's
// project and summary, counted over all workers. Assemblies whose files could share a name go to
// one worker, in their order, so that the run refuses the second as a single run does.
class ParallelExport {
public:
    ParallelExport(const BatchOptions& options, WorkerPool& workers,
                   std::function<void(const std::string&)> report);

    // The exit status, as the run in one process would give it.
    int Run();

private:
    const BatchOptions& options_;
    WorkerPool& workers_;
    std::function<void(const std::string&)> report_;
};

} // namespace pw::batch
