#include "RunTally.h"

#include "partwright/model/BomModel.h"
#include "shared/core/NumberText.h"

#include <sstream>
#include <string_view>

namespace pw::batch {
namespace {

constexpr std::string_view kTallyPrefix = "partwright-export worker: ";

} // namespace

RunTally& RunTally::operator+=(const RunTally& other) {
    given += other.given;
    exported += other.exported;
    notLoaded += other.notLoaded;
    notWritten += other.notWritten;
    incomplete += other.incomplete;
    unmatched += other.unmatched;
    fittedAssemblies += other.fittedAssemblies;
    missing += other.missing;
    outOfDateMasses += other.outOfDateMasses;
    withoutPicture += other.withoutPicture;
    return *this;
}

std::string SummaryLine(const RunTally& tally, const std::string& seconds) {
    return IntegerText(tally.exported) + " of " +
           CountedText(tally.given, "assembly", "assemblies") + " written" +
           (tally.incomplete > 0 ? " (" + IntegerText(tally.incomplete) + " incomplete)"
                                 : std::string()) +
           (tally.fittedAssemblies > 0
                ? " (" + IntegerText(tally.fittedAssemblies) + " fitted to Excel's limits)"
                : std::string()) +
           "; " + IntegerText(tally.notLoaded) + " not loaded, " + IntegerText(tally.notWritten) +
           " not written; " +
           CountedText(tally.missing, "missing component", "missing components") +
           (tally.outOfDateMasses > 0 ? "; " + model::OutOfDateMassText(tally.outOfDateMasses)
                                      : std::string()) +
           (tally.withoutPicture > 0
                ? "; " + CountedText(tally.withoutPicture, "component", "components") +
                      " without a picture"
                : std::string()) +
           "; " + seconds;
}

bool Failed(const RunTally& tally, bool strict) {
    return tally.notLoaded > 0 || tally.notWritten > 0 || tally.incomplete > 0 ||
           (strict && (tally.missing > 0 || tally.unmatched > 0 || tally.fittedAssemblies > 0 ||
                       tally.outOfDateMasses > 0));
}

std::string TallyLine(const RunTally& tally,
                      const std::optional<inventor::DesignProjectName>& project) {
    std::ostringstream line;
    line << kTallyPrefix << tally.given << ' ' << tally.exported << ' ' << tally.notLoaded << ' '
         << tally.notWritten << ' ' << tally.incomplete << ' ' << tally.unmatched << ' '
         << tally.fittedAssemblies << ' ' << tally.missing << ' ' << tally.outOfDateMasses << ' '
         << tally.withoutPicture;
    if (project) {
        line << '\t' << project->name << '\t' << project->fullFileName;
    }
    return line.str();
}

std::optional<WorkerTally> ReadTallyLine(const std::string& line) {
    if (!line.starts_with(kTallyPrefix)) {
        return std::nullopt;
    }
    const std::size_t tab = line.find('\t');
    std::istringstream counts(line.substr(kTallyPrefix.size(), tab == std::string::npos
                                                                   ? std::string::npos
                                                                   : tab - kTallyPrefix.size()));
    WorkerTally read;
    RunTally& t = read.tally;
    if (!(counts >> t.given >> t.exported >> t.notLoaded >> t.notWritten >> t.incomplete >>
          t.unmatched >> t.fittedAssemblies >> t.missing >> t.outOfDateMasses >>
          t.withoutPicture)) {
        return std::nullopt;
    }
    if (tab != std::string::npos) {
        const std::size_t second = line.find('\t', tab + 1);
        if (second == std::string::npos) {
            return std::nullopt;
        }
        read.project = inventor::DesignProjectName{line.substr(tab + 1, second - tab - 1),
                                                   line.substr(second + 1)};
    }
    return read;
}

} // namespace pw::batch
