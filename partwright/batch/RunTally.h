#pragma once

#include "shared/inventor/DocumentAccess.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pw::batch {

// What a run counted: its summary line and its exit status come from these alone, so that the
// counts of workers add up to the run that started them.
struct RunTally {
    std::int64_t given = 0; // distinct assemblies given
    std::int64_t exported = 0;
    std::int64_t notLoaded = 0;
    std::int64_t notWritten = 0;
    std::int64_t incomplete = 0;       // written, but parts of the assembly could not be read
    std::int64_t unmatched = 0;        // properties asked for that no file of an assembly had
    std::int64_t fittedAssemblies = 0; // written with texts cut or links left out
    std::int64_t missing = 0;          // missing components
    std::int64_t outOfDateMasses = 0;  // files whose stored mass Inventor marks out of date
    std::int64_t withoutPicture = 0;   // with --pictures: files and virtual components without

    RunTally& operator+=(const RunTally& other);
};

// "2 of 3 assemblies written; 1 not loaded, 0 not written; 4 missing components; 1.2 s"
std::string SummaryLine(const RunTally& tally, const std::string& seconds);

// The run's exit statuses.
inline constexpr int kAllWritten = 0;
inline constexpr int kSomeFailed = 1;

// Whether the run fails (kSomeFailed).
bool Failed(const RunTally& tally, bool strict);

// A worker's last line: its counts and the project it used, for the run that started it.
std::string TallyLine(const RunTally& tally,
                      const std::optional<inventor::DesignProjectName>& project);

struct WorkerTally {
    RunTally tally;
    std::optional<inventor::DesignProjectName> project;
};

// A worker's last line read back; nothing when the line is no such line.
std::optional<WorkerTally> ReadTallyLine(const std::string& line);

} // namespace pw::batch
