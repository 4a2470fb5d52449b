#include "partwright/batch/BatchExport.h"

#include "partwright/model/AssemblyLoader.h"
#include "shared/core/CaseFold.h"
#include "shared/core/Failure.h"
#include "standins/inventor/StandinFiles.h"
#include "standins/inventor/StandinInventor.h"
#include "tests/fakes/MemoryFiles.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <stdexcept>

namespace pw::batch {
namespace {

using fakes::MemoryFiles;

class BatchExportTest : public ::testing::Test {
protected:
    const std::string samples = standins::WindowsPathOf(PARTWRIGHT_SAMPLES_DIR);
    const std::string gearbox = samples + "\\Gearbox.iam";
    standins::StandinInventor servers = standins::StandinInventor::OverFiles(samples);
    MemoryFiles files;
    std::vector<std::string> lines;

    std::vector<std::string> projectLines; // "Project: ...", kept apart from the others

    int Run(BatchOptions options, inventor::ServerFactory* factory = nullptr) {
        lines.clear();
        projectLines.clear();
        return BatchExport(
                   options, factory ? *factory : servers, files,
                   [&](const std::string& line) {
                       (line.starts_with("Project: ") ? projectLines : lines).push_back(line);
                   })
            .Run();
    }
    static BatchOptions Of(std::vector<std::string> assemblies) {
        BatchOptions options;
        options.assemblies = std::move(assemblies);
        return options;
    }
    // A line's text up to its time, which differs from run to run.
    static std::string UpToTime(const std::string& line) {
        const auto seconds = line.rfind(" s");
        const auto start = line.find_last_of(";,(", seconds);
        return line.substr(0, start == std::string::npos ? 0 : start + 1);
    }
};

TEST_F(BatchExportTest, AnAssemblyIsWrittenBesideItselfWithItsLineAndTheSummary) {
    EXPECT_EQ(Run(Of({gearbox})), kAllWritten); // a missing component fails nothing by itself
    ASSERT_EQ(files.files.count(samples + "\\Gearbox.xlsx"), 1u);
    EXPECT_EQ(files.files[samples + "\\Gearbox.xlsx"].substr(0, 2), "PK");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(UpToTime(lines[0]), "Gearbox.iam: 17 occurrences, 7 unique files, 1 missing,");
    EXPECT_NE(lines[0].find(" s -> " + samples + "\\Gearbox.xlsx"), std::string::npos);
    EXPECT_EQ(lines[1], "  missing: Gasket:1 in Gearbox.iam");
    EXPECT_EQ(UpToTime(lines[2]),
              "1 of 1 assembly written; 0 not loaded, 0 not written; 1 missing component;");
}

TEST_F(BatchExportTest, StrictFailsTheRunOnMissingComponentsAndStillWrites) {
    BatchOptions options = Of({gearbox});
    options.strict = true;
    EXPECT_EQ(Run(options), kSomeFailed);
    EXPECT_EQ(files.files.count(samples + "\\Gearbox.xlsx"), 1u);
}

TEST_F(BatchExportTest, WhatCannotBeLoadedFailsTheRunAndTheOthersAreStillWritten) {
    const std::string nowhere = samples + "\\Nowhere.iam";
    const std::string part = samples + "\\Parts\\Shaft.ipt";
    EXPECT_EQ(Run(Of({nowhere, part, gearbox})), kSomeFailed);
    EXPECT_EQ(UpToTime(lines[0]), "Nowhere.iam: not loaded: Unable to open the specified file. (");
    EXPECT_EQ(UpToTime(lines[1]), "Shaft.ipt: not loaded: a part, not an assembly (.iam) (");
    EXPECT_EQ(files.files.size(), 1u);
    EXPECT_EQ(files.files.count(samples + "\\Gearbox.xlsx"), 1u);
    EXPECT_EQ(UpToTime(lines.back()),
              "1 of 3 assemblies written; 2 not loaded, 0 not written; 1 missing component;");
}

// A file of a later release cannot be read here: its line says which release saved it and what
// to do, in one line, and the run fails.
TEST_F(BatchExportTest, AnAssemblyOfALaterReleaseSaysWhichOnItsLine) {
    EXPECT_EQ(Run(Of({samples + "\\Later Release\\Press.iam", gearbox})), kSomeFailed);
    EXPECT_EQ(UpToTime(lines[0]),
              "Press.iam: not loaded: Unable to open the specified file. It was saved by "
              "Inventor 2027, a later release than this computer's Inventor Apprentice (2025), "
              "which cannot read it. Open it where Inventor 2027 or later is installed, or install "
              "Inventor View 2027 (or later) here, which brings its Apprentice. (");
    EXPECT_EQ(files.files.count(samples + "\\Gearbox.xlsx"), 1u);
}

TEST_F(BatchExportTest, AFileThatExistsIsKeptUnlessForced) {
    const std::string target = samples + "\\Gearbox.xlsx";
    files.files[target] = "earlier";
    EXPECT_EQ(Run(Of({gearbox})), kSomeFailed);
    EXPECT_EQ(files.files[target], "earlier");
    EXPECT_EQ(lines[0], "Gearbox.iam: not written: " + target + " exists (--force replaces it)");

    BatchOptions forced = Of({gearbox});
    forced.force = true;
    EXPECT_EQ(Run(forced), kAllWritten);
    EXPECT_EQ(files.files[target].substr(0, 2), "PK");
}

TEST_F(BatchExportTest, NoFileOfTheRunReplacesAnotherOfTheSameRun) {
    standins::StandinInventor inventor;
    inventor.AddAssembly("C:\\A\\Top.iam");
    inventor.AddAssembly("C:\\B\\Top.iam");
    BatchOptions options = Of({"C:\\A\\Top.iam", "C:\\B\\Top.iam"});
    options.outFolder = "C:\\Out";
    options.force = true;
    EXPECT_EQ(Run(options, &inventor), kSomeFailed);
    EXPECT_EQ(files.files.size(), 1u);
    EXPECT_EQ(
        lines[1],
        "Top.iam: not written: C:\\Out\\Top.xlsx was written for another assembly of this run");
}

TEST_F(BatchExportTest, CsvIsOneFilePerSheetIntoTheFolderAsked) {
    BatchOptions options = Of({gearbox});
    options.format = OutputFormat::Csv;
    options.outFolder = "D:\\Exports\\"; // with or without its separator
    EXPECT_EQ(Run(options), kAllWritten);
    std::vector<std::string> names;
    for (const auto& [path, bytes] : files.files) {
        names.push_back(path);
        EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    }
    EXPECT_EQ(names, (std::vector<std::string>{"D:\\Exports\\Gearbox - Indented BOM.csv",
                                               "D:\\Exports\\Gearbox - Summary BOM.csv",
                                               "D:\\Exports\\Gearbox - Summary-Totals.csv"}));
    EXPECT_NE(lines[0].find("-> D:\\Exports\\Gearbox - Summary-Totals.csv and 2 more files"),
              std::string::npos);
    const std::string& indented = files.files["D:\\Exports\\Gearbox - Indented BOM.csv"];
    EXPECT_NE(indented.find(",\"=\"\"00123\"\"\","), std::string::npos);
    EXPECT_NE(indented.find(",\"=\"\"=Machined base plate, 20 mm\"\"\","), std::string::npos);
}

TEST_F(BatchExportTest, TheParentChildLayoutIsOneSheetOrOneCsvFile) {
    BatchOptions options = Of({gearbox});
    options.layout = Layout::ParentChild;
    options.format = OutputFormat::Csv;
    options.outFolder = "D:\\Exports";
    EXPECT_EQ(Run(options), kAllWritten);
    ASSERT_EQ(files.files.size(), 1u);
    const std::string& csv = files.files["D:\\Exports\\Gearbox - Parent-Child.csv"];
    EXPECT_EQ(csv.substr(0, csv.find('\r')),
              "\xEF\xBB\xBFParent Partnumber,Parent File,Component Partnumber,Component File,"
              "Quantity,Description,Material,Level");

    options.format = OutputFormat::Xlsx;
    options.force = true;
    EXPECT_EQ(Run(options), kAllWritten);
    EXPECT_EQ(files.files["D:\\Exports\\Gearbox.xlsx"].substr(0, 2), "PK");
}

TEST_F(BatchExportTest, ComparingTwoRevisionsWritesTheirDifferencesBesideTheNewOne) {
    BatchOptions options = Of({gearbox, gearbox});
    options.compare = true;
    options.format = OutputFormat::Csv;
    EXPECT_EQ(Run(options), kAllWritten);
    const std::string changes = samples + "\\Gearbox vs Gearbox - Changes.csv";
    ASSERT_EQ(files.files.count(changes), 1u);
    EXPECT_NE(files.files[changes].find("No differences"), std::string::npos);
    EXPECT_EQ(files.files.count(samples + "\\Gearbox vs Gearbox - Totals.csv"), 1u);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(UpToTime(lines[0]),
              "Gearbox vs Gearbox: 0 added, 0 removed, 0 quantities, 0 fields changed,");
    // Each revision's missing components are said, and --strict fails the comparison on them.
    EXPECT_EQ(lines[1], "  missing (Gearbox.iam): Gasket:1 in Gearbox.iam");
    options.strict = true;
    options.force = true;
    EXPECT_EQ(Run(options), kSomeFailed);
    options.strict = false;

    options.assemblies = {gearbox, samples + "\\Nowhere.iam"};
    EXPECT_EQ(Run(options), kSomeFailed);
    EXPECT_EQ(UpToTime(lines.back()),
              "Nowhere.iam: not loaded: Unable to open the specified file. (");
}

TEST_F(BatchExportTest, AFileThatCannotBeWrittenIsReportedAndTheRunGoesOn) {
    files.failingPath = samples + "\\Gearbox.xlsx";
    standins::StandinInventor inventor;
    inventor.AddAssembly("C:\\A\\Other.iam");
    EXPECT_EQ(Run(Of({gearbox, "C:\\A\\Other.iam"}), nullptr), kSomeFailed);
    EXPECT_EQ(UpToTime(lines[0]), "Gearbox.iam: 17 occurrences, 7 unique files, 1 missing; "
                                  "not written: cannot write " +
                                      samples + "\\Gearbox.xlsx: There is not enough space (");
    EXPECT_EQ(lines[1], "  missing: Gasket:1 in Gearbox.iam");
}

// A second CSV that cannot be written keeps the first from being written too: the set is all new
// or all as it was.
TEST_F(BatchExportTest, TheCsvFilesOfAnAssemblyAreWrittenAllOrNone) {
    BatchOptions options = Of({gearbox});
    options.format = OutputFormat::Csv;
    options.force = true;
    files.failingPath = samples + "\\Gearbox - Summary BOM.csv";
    files.files[samples + "\\Gearbox - Summary-Totals.csv"] = "earlier";
    EXPECT_EQ(Run(options), kSomeFailed);
    EXPECT_EQ(files.files.size(), 1u);
    EXPECT_EQ(files.files[samples + "\\Gearbox - Summary-Totals.csv"], "earlier");
}

TEST_F(BatchExportTest, WhatStandsInTheWayIsNamed) {
    standins::StandinInventor inventor;
    inventor.AddAssembly("C:\\A\\CON.iam");
    inventor.AddAssembly("C:\\A\\Lpt1.x.iam");
    inventor.AddAssembly("C:\\A\\Top.iam");
    inventor.AddAssembly("C:\\A\\Console.iam");
    files.folders.insert("C:\\A\\Top.xlsx");
    EXPECT_EQ(
        Run(Of({"C:\\A\\CON.iam", "C:\\A\\Lpt1.x.iam", "C:\\A\\Top.iam", "C:\\A\\Console.iam"}),
            &inventor),
        kSomeFailed);
    const std::string device = " is a name Windows keeps for a device (CON, PRN, AUX, NUL, COM1 "
                               "to COM9, LPT1 to LPT9)";
    EXPECT_EQ(lines[0], "CON.iam: not written: C:\\A\\CON.xlsx" + device);
    EXPECT_EQ(lines[1], "Lpt1.x.iam: not written: C:\\A\\Lpt1.x.xlsx" + device);
    EXPECT_EQ(lines[2], "Top.iam: not written: C:\\A\\Top.xlsx is a folder");
    EXPECT_EQ(files.files.count("C:\\A\\Console.xlsx"), 1u); // a name that only begins so
}

TEST_F(BatchExportTest, AnAssemblyGivenTwiceIsExportedOnceAndFailsNothing) {
    EXPECT_EQ(Run(Of({gearbox, gearbox})), kAllWritten);
    EXPECT_EQ(lines[2], "Gearbox.iam: given twice; the second is left out");
    EXPECT_EQ(UpToTime(lines[3]),
              "1 of 1 assembly written; 0 not loaded, 0 not written; 1 missing component;");
}

TEST_F(BatchExportTest, APatternThatMatchedNothingSaysSo) {
    EXPECT_EQ(Run(Of({"C:\\Jobs\\*.iam"})), kSomeFailed);
    EXPECT_EQ(lines[0], "*.iam: not loaded: no file matches *.iam in C:\\Jobs\\");
}

TEST_F(BatchExportTest, AnApprenticeThatCannotStartEndsTheRun) {
    standins::StandinInventor inventor;
    inventor.AddAssembly("C:\\A\\One.iam");
    inventor.AddAssembly("C:\\A\\Two.iam");
    inventor.Faults().FailOn(standins::Op::Create, "", model::kClassNotRegistered);
    EXPECT_EQ(Run(Of({"C:\\A\\One.iam", "C:\\A\\Two.iam"}), &inventor), kSomeFailed);
    EXPECT_EQ(inventor.ServersCreated(), 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("One.iam: not loaded: cannot start the Inventor Apprentice Server. "
                             "Apprentice is not registered for this Windows user (\"class not "
                             "registered\"); its registration is per user.",
                             0),
              0u)
        << lines[0];
    EXPECT_EQ(UpToTime(lines[1]),
              "0 of 2 assemblies written; 2 not loaded, 0 not written; 0 missing components;");
    EXPECT_TRUE(files.files.empty());
}

// What could be read is written, and the run still fails: a sub-tree left out is no success.
TEST_F(BatchExportTest, AnAssemblyWithUnreadablePartsIsWrittenAndFailsTheRun) {
    servers.Faults().FailOn(standins::Op::SubOccurrences, "Shaft Assembly:2",
                            static_cast<ResultCode>(0x80010108u));
    EXPECT_EQ(Run(Of({gearbox})), kSomeFailed);
    EXPECT_EQ(files.files.count(samples + "\\Gearbox.xlsx"), 1u);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(UpToTime(lines[0]), "Gearbox.iam: 13 occurrences, 7 unique files, 1 missing,");
    EXPECT_EQ(lines[1].rfind("  incomplete: 1 part of the assembly could not be read, so the "
                             "tree, the lists and the totals are incomplete; the first: the "
                             "components of Shaft Assembly:2: ",
                             0),
              0u);
    EXPECT_EQ(UpToTime(lines[3]), "1 of 1 assembly written (1 incomplete); 0 not loaded, 0 not "
                                  "written; 1 missing component;");

    BatchOptions compare = Of({gearbox, gearbox});
    compare.compare = true;
    EXPECT_EQ(Run(compare), kSomeFailed);
    EXPECT_EQ(lines.back().rfind("Gearbox vs Gearbox: not compared: Gearbox.iam: 1 part ", 0), 0u);
}

// A server whose failure is no COM failure at all (out of memory, a broken object).
class BrokenOnOpen : public inventor::ServerFactory {
public:
    explicit BrokenOnOpen(inventor::ServerFactory& real) : real_(real) {}
    std::shared_ptr<inventor::Server> Create(const std::string& progId) override {
        struct Server : inventor::Server {
            std::shared_ptr<inventor::Server> real;
            std::shared_ptr<inventor::Document> Open(const std::string& path) override {
                if (path.find("Conveyor") != std::string::npos) {
                    throw std::runtime_error("Unspecified error");
                }
                return real->Open(path);
            }
            std::shared_ptr<inventor::Matrix> NewMatrix() override { return real->NewMatrix(); }
            std::string StartFolder() override { return real->StartFolder(); }
            inventor::SoftwareVersion Release() override { return real->Release(); }
            inventor::SoftwareVersion SavedBy(const std::string& path) override {
                return real->SavedBy(path);
            }
            inventor::DesignProjectName ActiveProject() override { return real->ActiveProject(); }
            inventor::DesignProjectName ActivateProject(const std::string& file) override {
                return real->ActivateProject(file);
            }
        };
        auto server = std::make_shared<Server>();
        server->real = real_.Create(progId);
        return server;
    }

private:
    inventor::ServerFactory& real_;
};

TEST_F(BatchExportTest, AFailureOfOneAssemblyIsItsOwnAndTheRunGoesOn) {
    BrokenOnOpen broken(servers);
    const std::string conveyor = samples + "\\Conveyor\\Conveyor.iam";
    EXPECT_EQ(Run(Of({conveyor, gearbox}), &broken), kSomeFailed);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Conveyor.iam: not exported: Unspecified error");
    EXPECT_EQ(files.files.count(samples + "\\Gearbox.xlsx"), 1u);
    EXPECT_EQ(UpToTime(lines.back()),
              "1 of 2 assemblies written; 1 not loaded, 0 not written; 1 missing component;");
}

// A property that no file has is said rather than left as an empty column, and fails the run
// with --strict; a set whose name holds a colon is named with the colon doubled.
TEST_F(BatchExportTest, APropertyNoFileHasIsSaid) {
    const auto colon = model::ParsePropertyRequest("Our::Set:Weight");
    ASSERT_TRUE(colon);
    EXPECT_EQ(colon->set, "Our:Set");
    EXPECT_EQ(colon->name, "Weight");
    EXPECT_FALSE(model::ParsePropertyRequest("Our::Set"));

    BatchOptions options = Of({gearbox});
    options.properties = {*model::ParsePropertyRequest("Design Tracking Properties:5"), *colon};
    EXPECT_EQ(Run(options), kAllWritten);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "  no file has the property Our:Set:Weight");
    options.strict = true;
    options.force = true;
    EXPECT_EQ(Run(options), kSomeFailed);
}

// Two long names compared make an output name longer than a folder entry may be: said so,
// rather than as a rename that found no file.
TEST_F(BatchExportTest, AnOutputNameLongerThanWindowsAllowsIsSaid) {
    standins::StandinInventor inventor;
    const std::string old = "C:\\A\\" + std::string(130, 'o') + ".iam";
    const std::string now = "C:\\A\\" + std::string(130, 'n') + ".iam";
    inventor.AddAssembly(old);
    inventor.AddAssembly(now);
    BatchOptions options = Of({old, now});
    options.compare = true;
    EXPECT_EQ(Run(options, &inventor), kSomeFailed);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(": not written: the file name " + std::string(130, 'o') + " vs "),
              std::string::npos)
        << lines[0];
    EXPECT_NE(lines[0].find("is longer than the 255 characters Windows allows"), std::string::npos);
}

// A text longer than a cell holds: the .xlsx file is written with it cut to fit, and says so;
// a CSV file, which has no such limit, keeps it whole, in every layout.
TEST_F(BatchExportTest, ExcelsLimitsAreKeptToInAnXlsxFileAndNotImposedOnCsv) {
    standins::StandinInventor inventor;
    const std::string top = "C:\\A\\Top.iam";
    const std::string longText = std::string(33000, 'd');
    inventor.AddAssembly(top);
    inventor.AddPart("C:\\A\\Plate.ipt").properties[{"Design Tracking Properties", 29}] =
        Value{longText};
    inventor.AddOccurrence(top, "Plate:1", "C:\\A\\Plate.ipt");

    EXPECT_EQ(Run(Of({top}), &inventor), kAllWritten);
    EXPECT_EQ(files.files.count("C:\\A\\Top.xlsx"), 1u);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1],
              "  fitted to Excel's limits in 2 places; the first: the text in row 3 of "
              "Indented BOM was longer than Excel's 32,767 characters and was cut to fit");
    EXPECT_EQ(UpToTime(lines[2]), "1 of 1 assembly written (1 fitted to Excel's limits); 0 not "
                                  "loaded, 0 not written; 0 missing components;");
    BatchOptions strict = Of({top});
    strict.strict = true;
    strict.force = true;
    EXPECT_EQ(Run(strict, &inventor), kSomeFailed);

    for (const Layout layout : {Layout::Sheets, Layout::ParentChild}) {
        BatchOptions csv = Of({top});
        csv.format = OutputFormat::Csv;
        csv.layout = layout;
        csv.force = true;
        EXPECT_EQ(Run(csv, &inventor), kAllWritten);
        EXPECT_EQ(lines.size(), 2u);
        const std::string file = layout == Layout::Sheets ? "C:\\A\\Top - Summary BOM.csv"
                                                          : "C:\\A\\Top - Parent-Child.csv";
        EXPECT_NE(files.files[file].find("," + longText + ","), std::string::npos) << file;
    }
}

TEST_F(BatchExportTest, AMigrationQuestionIsAnsweredYesAndSaid) {
    standins::StandinInventor inventor;
    inventor.AddAssembly("C:\\A\\Old.iam").needsMigration = true;
    EXPECT_EQ(Run(Of({"C:\\A\\Old.iam"}), &inventor), kAllWritten);
    EXPECT_EQ(lines[1], "  answered Yes: The selected file should be migrated before using "
                        "this utility. Continue?");
}

} // namespace
} // namespace pw::batch
