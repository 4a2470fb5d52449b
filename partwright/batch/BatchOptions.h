#pragma once

#include "partwright/model/PropertyRequest.h"
#include "partwright/workbook/SheetCsv.h"

#include <optional>
#include <string>
#include <vector>

namespace pw::batch {

enum class OutputFormat { Xlsx, Csv };
// The window's three sheets, or one parent–child sheet for ERP and MRP imports.
enum class Layout { Sheets, ParentChild };

// What partwright-export was asked to do.
struct BatchOptions {
    bool indented = false;         // a level column per depth, as "Use Indented Columns"
    bool hyperlinks = false;       // file names as hyperlinks to their files
    bool bomRules = false;         // counted as Inventor's BOM counts, with a BOM Structure column
    bool mergePartNumbers = false; // Summary BOM rows merged by part number
    bool pictures = false;         // each row's file's picture in a last column (.xlsx only)
    OutputFormat format = OutputFormat::Xlsx;
    // Who reads the CSV files; when not given, a program for the parent–child layout (which is
    // made to be imported), a person in a spreadsheet for the others.
    std::optional<workbook::CsvReader> csvReader;
    Layout layout = Layout::Sheets;
    std::vector<model::PropertyRequest> properties; // further columns, in the order given
    std::optional<std::string> outFolder;           // beside each assembly when not given
    std::optional<std::string> project;             // the Inventor project (.ipj) to resolve by
    bool force = false;                             // replace files that exist
    bool strict = false;                            // missing components fail the run
    bool compare = false;                           // the two assemblies are revisions to compare
    // Worker processes exporting at once, each with an Apprentice of its own; 0: one per
    // processor core.
    unsigned jobs = 1;
    bool worker = false; // one worker of a --jobs run: its counts go to the run that started it
    std::vector<std::string> assemblies;
};

// The command line read: the options, or what to print and the exit status instead.
struct CommandLineReading {
    std::optional<BatchOptions> options;
    std::string message; // the help, the version, or the usage error
    int exitStatus = 0;  // 0 for help and version, kUsageError for a mistake
};

inline constexpr int kUsageError = 2;

// Reads the arguments after the program's name. Options may come before, between or after the
// assemblies; "--" ends them. "--format csv" and "--format=csv" are the same.
CommandLineReading ReadCommandLine(const std::vector<std::string>& arguments,
                                   const std::string& version);

// The arguments that run `assemblies` with the options given, as one worker of a --jobs run.
std::vector<std::string> WorkerArguments(const BatchOptions& options,
                                         const std::vector<std::string>& assemblies);

// The help text, as --help prints it.
std::string UsageText();

} // namespace pw::batch
