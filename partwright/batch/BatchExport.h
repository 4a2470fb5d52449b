#pragma once

#include "BatchOptions.h"
#include "BatchSheets.h"
#include "FilePictures.h"
#include "LoadMessages.h"
#include "OutputFiles.h"
#include "ProjectServers.h"
#include "RunTally.h"
#include "partwright/model/BomModel.h"
#include "partwright/workbook/WorkbookModel.h"
#include "shared/inventor/DocumentAccess.h"

#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace pw::batch {

// The bill of materials of each assembly, loaded as the window loads it and written as files:
// one line of progress per assembly and a summary through `report`.
class BatchExport {
public:
    // `pictures` reads the files' pictures for --pictures, as the load reads the files; without
    // one, no file has a picture.
    BatchExport(const BatchOptions& options, inventor::ServerFactory& servers, OutputFiles& files,
                std::function<void(const std::string&)> report, PictureReader* pictures = nullptr);

    // The exit status: kAllWritten, or kSomeFailed when an assembly was not loaded or not
    // written, or when --strict and components are missing.
    int Run();

private:
    struct Target {
        std::string path;
        std::string sheet; // the sheet a CSV file holds; empty for the workbook
    };

    using Clock = std::chrono::steady_clock;
    struct Loaded {
        model::BomModel model;
        std::vector<ShownMessage> messages; // what the load asked and said
        AssemblyPictures pictures;          // with --pictures
    };

    void ExportOne(const std::string& assembly);
    // The assembly loaded (and counted by the BOM rules when asked); nothing, reported, when it
    // could not be.
    std::optional<Loaded> Load(const std::string& assembly, Clock::time_point start);
    void ReportAnswers(const Loaded& loaded);
    int Compare();
    std::string FolderFor(const std::string& assembly) const;
    std::vector<Target> TargetsOf(const std::string& assembly) const;
    bool Writable(const std::string& name, const std::vector<Target>& targets);
    // Writes the assembly's files; where they were fitted to Excel's limits.
    Fitted Write(const std::string& name, const Loaded& loaded, const std::vector<Target>& targets);
    excel::CellLimits LimitsOfFormat() const;
    workbook::CsvReader CsvReaderOf() const;
    // "  fitted to Excel's limits in N places; the first: ..." when any.
    void ReportFitted(const Fitted& fitted);
    void WriteSheets(const std::string& name, const workbook::Workbook& book,
                     const std::vector<Target>& targets);
    // "  no file has the property SET:NAME" per property asked for that no file had.
    void ReportUnmatched(const model::BomModel& model);
    // "  missing: NAME in OWNER" per missing component; `revision` names the revision compared.
    void ReportMissing(const model::BomModel& model, const std::string& revision = {});

    // Says which project the run used, before its summary.
    void ReportProject();

    const BatchOptions& options_;
    ProjectServers servers_;
    OutputFiles& files_;
    std::function<void(const std::string&)> report_;
    PictureReader* pictures_;

    std::set<std::string> written_; // this run's files, case folded: none replaces another
    RunTally tally_;
    bool serverGone_ = false;
};

} // namespace pw::batch
