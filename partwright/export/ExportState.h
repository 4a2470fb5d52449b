#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pw::excel {

// What the export keeps from one run to the next for the program's whole run: whether the last
// Indented BOM linked its file names (the Summary BOM follows it), and the level columns the
// macros count on.
struct ExportState {
    bool UseHyperlinks = false;
    // The level-column count N of the last export, and the load it was computed for; the macro
    // writer uses it while no new assembly has been loaded since.
    std::optional<std::int16_t> IndentColumns;
    std::uint32_t IndentColumnsLoad = 0;
};

// How an export went: the steps that failed and were passed over, the first one's reason, and
// whether the export was stopped (Excel gone or busy past the wait) before its end.
struct ExportOutcome {
    std::int32_t failedSteps = 0;
    std::string firstFailure;
    bool stopped = false;
    std::string stopReason;
    // Where Excel's limits were met: a text cut to a cell, file names past a sheet's links left
    // as text. No failure: what a workbook can hold, it holds.
    std::int32_t fitted = 0;
    std::string firstFitted;

    bool Complete() const { return failedSteps == 0 && !stopped; }
};

} // namespace pw::excel
