#include "ParallelExport.h"

#include "PathNames.h"
#include "RunTally.h"
#include "partwright/model/AssemblyLoader.h"
#include "shared/core/CaseFold.h"
#include "shared/core/NumberText.h"

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

// What the run says of one job once it ended: its lines, and what it counted.
struct JobReport {
    std::vector<std::string> lines;
    WorkerTally counted;
};

// A worker that ended without its counts was killed or crashed: what it said stands, and each of
// its assemblies it said nothing of is reported and counted as not exported.
JobReport DeadWorker(const std::vector<std::string>& assemblies, std::vector<std::string> lines,
                     std::uint32_t exitStatus) {
    JobReport report{std::move(lines), {}};
    for (const std::string& assembly : assemblies) {
        const std::string name = NameOf(assembly);
        bool said = false;
        for (const std::string& line : report.lines) {
            if (line.starts_with(name + ": ")) {
                said = true;
                report.counted.tally.exported += line.find(" s -> ") != std::string::npos ? 1 : 0;
            }
        }
        ++report.counted.tally.given;
        if (!said) {
            ++report.counted.tally.notLoaded;
            report.lines.push_back(name +
                                   ": not exported: its worker process ended before it was "
                                   "done (exit status " +
                                   IntegerText(exitStatus) + ")");
        }
    }
    return report;
}

} // namespace

ParallelExport::ParallelExport(const BatchOptions& options, WorkerPool& workers,
                               std::function<void(const std::string&)> report)
    : options_(options), workers_(workers), report_(std::move(report)) {}

int ParallelExport::Run() {
    const auto start = std::chrono::steady_clock::now();
    // One job per name written: assemblies whose files could collide stay in one process. What the
    // run says comes in the order given: a job's lines in the place of its first assembly.
    struct Said {
        std::optional<std::size_t> job;
        std::string line; // said by the run itself
    };
    std::vector<Said> order;
    std::vector<std::vector<std::string>> assemblies;
    std::map<std::string, std::size_t> jobOfName;
    std::set<std::string> given;
    for (const std::string& assembly : options_.assemblies) {
        if (!given.insert(FoldCase(assembly)).second) {
            order.push_back(
                {std::nullopt, NameOf(assembly) + ": given twice; the second is left out"});
            continue;
        }
        std::string folder;
        std::string name;
        excel::SplitPath(assembly, folder, name);
        const std::string writtenAs = options_.outFolder.value_or(folder) + "\\" + StemOf(assembly);
        const auto [job, added] = jobOfName.try_emplace(FoldCase(writtenAs), assemblies.size());
        if (added) {
            assemblies.emplace_back();
            order.push_back({job->second, {}});
        }
        assemblies[job->second].push_back(assembly);
    }
    std::vector<std::vector<std::string>> jobs;
    for (const auto& group : assemblies) {
        jobs.push_back(WorkerArguments(options_, group));
    }

    std::vector<std::optional<JobReport>> reports(jobs.size());
    std::size_t next = 0; // in order
    RunTally tally;
    std::optional<inventor::DesignProjectName> project;
    const auto flush = [&] {
        for (; next < order.size(); ++next) {
            const Said& said = order[next];
            if (!said.job) {
                report_(said.line);
                continue;
            }
            const std::optional<JobReport>& ended = reports[*said.job];
            if (!ended) {
                return;
            }
            for (const std::string& line : ended->lines) {
                report_(line);
            }
            tally += ended->counted.tally;
            if (!project) {
                project = ended->counted.project;
            }
        }
    };
    const auto ended = [&](std::size_t job, WorkerEnd end) {
        std::vector<std::string> lines = LinesOf(end.output);
        std::optional<WorkerTally> counted =
            lines.empty() ? std::nullopt : ReadTallyLine(lines.back());
        if (counted) {
            lines.pop_back();
            reports[job] = JobReport{std::move(lines), std::move(*counted)};
        } else {
            reports[job] = DeadWorker(assemblies[job], std::move(lines), end.exitStatus);
        }
        flush();
    };
    workers_.RunAll(jobs, options_.jobs, ended);
    flush(); // what the run said after the last job
    if (project) {
        report_("Project: " + model::ProjectText(*project));
    }
    report_(SummaryLine(tally, SecondsSince(start)));
    return Failed(tally, options_.strict) ? 1 : 0;
}

} // namespace pw::batch
