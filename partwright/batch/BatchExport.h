#pragma once

#include "BatchOptions.h"
#include "OutputFiles.h"
#include "partwright/model/BomModel.h"
#include "shared/inventor/DocumentAccess.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace pw::batch {

inline constexpr int kAllWritten = 0;
inline constexpr int kSomeFailed = 1;

// The bill of materials of each assembly, loaded as the window loads it and written as files:
// one line of progress per assembly and a summary through `report`.
class BatchExport {
public:
    BatchExport(const BatchOptions& options, inventor::ServerFactory& servers, OutputFiles& files,
                std::function<void(const std::string&)> report);

    // The exit status: kAllWritten, or kSomeFailed when an assembly was not loaded or not
    // written, or when --strict and components are missing.
    int Run();

private:
    struct Target {
        std::string path;
        std::string sheet; // the sheet a CSV file holds; empty for the workbook
    };

    void ExportOne(const std::string& assembly);
    std::vector<Target> TargetsOf(const std::string& assembly) const;
    bool Writable(const std::string& name, const std::vector<Target>& targets);
    void Write(const std::string& name, model::BomModel& model, const std::vector<Target>& targets);
    void ReportMissing(const model::BomModel& model);

    const BatchOptions& options_;
    inventor::ServerFactory& servers_;
    OutputFiles& files_;
    std::function<void(const std::string&)> report_;

    std::set<std::string> written_; // this run's files, case folded: none replaces another
    int exported_ = 0;
    int notLoaded_ = 0;
    int notWritten_ = 0;
    std::int64_t missing_ = 0;
    bool serverGone_ = false;
};

} // namespace pw::batch
