#include "ParallelExport.h"

#include "PathNames.h"
#include "RunTally.h"
#include "partwright/model/AssemblyLoader.h"
#include "shared/core/CaseFold.h"
#include "shared/core/NumberText.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace pw::batch {
namespace {

std::vector<std::string> LinesOf(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

// What a worker said of each of its assemblies, in their order: each begins with a line of its
// own and goes on with the indented lines below it. What it counted, and its project.
struct JobReport {
    std::vector<std::vector<std::string>> blocks;
    WorkerTally counted;
};

std::vector<std::vector<std::string>> BlocksOf(const std::vector<std::string>& lines) {
    std::vector<std::vector<std::string>> blocks;
    for (const std::string& line : lines) {
        if (blocks.empty() || !line.starts_with("  ")) {
            blocks.emplace_back();
        }
        blocks.back().push_back(line);
    }
    return blocks;
}

// A worker that ended without its counts was killed or crashed: what it said stands, and each of
// its assemblies it said nothing of is reported and counted as not exported.
JobReport DeadWorker(const std::vector<std::string>& assemblies,
                     std::vector<std::vector<std::string>> blocks, std::uint32_t exitStatus) {
    JobReport report{std::move(blocks), {}};
    RunTally& tally = report.counted.tally;
    tally.given = static_cast<std::int64_t>(assemblies.size());
    for (const auto& block : report.blocks) {
        tally.exported += block.front().find(" s -> ") != std::string::npos ? 1 : 0;
    }
    for (std::size_t i = report.blocks.size(); i < assemblies.size(); ++i) {
        ++tally.notLoaded;
        report.blocks.push_back({NameOf(assemblies[i]) +
                                 ": not exported: its worker process ended before it was done "
                                 "(exit status " +
                                 IntegerText(exitStatus) + ")"});
    }
    return report;
}

// Assemblies a worker exports one after another: starting a worker (and its Apprentice) costs
// about as much as a small assembly, so each takes a run of several, in the order given.
std::vector<std::vector<std::size_t>> Packed(const std::vector<std::vector<std::size_t>>& groups,
                                             std::size_t assemblies, unsigned workers) {
    const std::size_t chunks =
        std::min(groups.size(), std::max<std::size_t>(workers, assemblies / 4));
    const std::size_t target = (assemblies + chunks - 1) / chunks;
    std::vector<std::vector<std::size_t>> jobs(1);
    for (const auto& group : groups) {
        if (jobs.back().size() >= target) {
            jobs.emplace_back();
        }
        jobs.back().insert(jobs.back().end(), group.begin(), group.end());
    }
    for (auto& job : jobs) {
        std::sort(job.begin(), job.end());
    }
    return jobs;
}

} // namespace

ParallelExport::ParallelExport(const BatchOptions& options, WorkerPool& workers,
                               std::function<void(const std::string&)> report)
    : options_(options), workers_(workers), report_(std::move(report)) {}

int ParallelExport::Run() {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string>& given = options_.assemblies;
    // Assemblies whose files could collide (one name written in one folder) stay in one worker;
    // an assembly given twice is left out here, as a single run leaves it out.
    std::vector<std::vector<std::size_t>> groups;
    std::map<std::string, std::size_t> groupOfName;
    std::set<std::string> seen;
    std::vector<bool> twice(given.size(), false);
    std::size_t exported = 0;
    for (std::size_t at = 0; at < given.size(); ++at) {
        if (!seen.insert(FoldCase(given[at])).second) {
            twice[at] = true;
            continue;
        }
        std::string folder;
        std::string name;
        excel::SplitPath(given[at], folder, name);
        const std::string written = options_.outFolder.value_or(folder) + "\\" + StemOf(given[at]);
        const auto [group, added] = groupOfName.try_emplace(FoldCase(written), groups.size());
        if (added) {
            groups.emplace_back();
        }
        groups[group->second].push_back(at);
        ++exported;
    }
    const std::vector<std::vector<std::size_t>> jobs = Packed(groups, exported, options_.jobs);
    // Where each assembly's lines come from: its job, and its place in it.
    std::vector<std::pair<std::size_t, std::size_t>> placeOf(given.size());
    std::vector<std::vector<std::string>> jobAssemblies(jobs.size());
    std::vector<std::vector<std::string>> arguments;
    for (std::size_t job = 0; job < jobs.size(); ++job) {
        for (std::size_t k = 0; k < jobs[job].size(); ++k) {
            placeOf[jobs[job][k]] = {job, k};
            jobAssemblies[job].push_back(given[jobs[job][k]]);
        }
        arguments.push_back(WorkerArguments(options_, jobAssemblies[job]));
    }

    std::vector<std::optional<JobReport>> reports(jobs.size());
    std::size_t next = 0; // the first assembly whose lines are still to come
    const auto flush = [&] {
        for (; next < given.size(); ++next) {
            if (twice[next]) {
                report_(NameOf(given[next]) + ": given twice; the second is left out");
                continue;
            }
            const auto [job, k] = placeOf[next];
            if (!reports[job]) {
                return;
            }
            if (k < reports[job]->blocks.size()) {
                for (const std::string& line : reports[job]->blocks[k]) {
                    report_(line);
                }
            }
        }
    };
    const auto ended = [&](std::size_t job, WorkerEnd end) {
        std::vector<std::string> lines = LinesOf(end.output);
        std::optional<WorkerTally> counted =
            lines.empty() ? std::nullopt : ReadTallyLine(lines.back());
        if (counted) {
            lines.pop_back();
            reports[job] = JobReport{BlocksOf(lines), std::move(*counted)};
        } else {
            reports[job] = DeadWorker(jobAssemblies[job], BlocksOf(lines), end.exitStatus);
        }
        flush();
    };
    workers_.RunAll(arguments, options_.jobs, ended);
    flush(); // what the run said after the last job

    RunTally tally;
    std::optional<inventor::DesignProjectName> project;
    for (const auto& report : reports) {
        tally += report->counted.tally;
        if (!project) {
            project = report->counted.project;
        }
    }
    if (project) {
        report_("Project: " + model::ProjectText(*project));
    }
    report_(SummaryLine(tally, SecondsSince(start)));
    return Failed(tally, options_.strict) ? kSomeFailed : kAllWritten;
}

} // namespace pw::batch
