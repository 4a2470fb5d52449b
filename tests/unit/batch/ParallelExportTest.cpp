#include "partwright/batch/ParallelExport.h"

#include "partwright/batch/BatchExport.h"
#include "standins/inventor/StandinInventor.h"
#include "tests/fakes/MemoryFiles.h"
#include "tests/unit/standins/Samples.h"

#include <gtest/gtest.h>

// A run spread over workers says and counts what the run in one process says and counts.
namespace pw::batch {
namespace {

// Each worker a run of its own, in this process, over the same files; a job may be made to die
// as a killed worker does, after it said what it had.
class InProcessWorkers : public WorkerPool {
public:
    InProcessWorkers(inventor::ServerFactory& servers, OutputFiles& files)
        : servers_(servers), files_(files) {}

    std::set<std::size_t> killed;
    std::vector<std::vector<std::string>> argumentsSeen;
    unsigned parallelSeen = 0;

    void RunAll(const std::vector<std::vector<std::string>>& jobs, unsigned parallel,
                const std::function<void(std::size_t, WorkerEnd)>& ended) override {
        parallelSeen = parallel;
        argumentsSeen = jobs;
        // Ended last first, as workers may end in any order.
        for (std::size_t job = jobs.size(); job-- > 0;) {
            const CommandLineReading reading = ReadCommandLine(jobs[job], "test");
            EXPECT_TRUE(reading.options) << reading.message;
            std::string output;
            const int status =
                BatchExport(*reading.options, servers_, files_, [&](const std::string& line) {
                    output += line + "\r\n";
                }).Run();
            if (killed.contains(job)) {
                ended(job, {"", 0xC000013A}); // killed before it said anything
            } else {
                ended(job, {output, static_cast<std::uint32_t>(status)});
            }
        }
    }

private:
    inventor::ServerFactory& servers_;
    OutputFiles& files_;
};

class ParallelExportTest : public ::testing::Test {
protected:
    const std::string samples = tests::SamplesFolder();
    standins::StandinInventor servers = standins::StandinInventor::OverFiles(samples);
    fakes::MemoryFiles files;

    BatchOptions Options() const {
        BatchOptions options;
        options.assemblies = {samples + "\\Gearbox.iam", samples + "\\Conveyor\\Conveyor.iam",
                              samples + "\\Nowhere.iam", samples + "\\Frame\\Frame.iam",
                              samples + "\\Gearbox.iam"};
        options.outFolder = "D:\\Out";
        options.format = OutputFormat::Csv;
        options.jobs = 2;
        return options;
    }
    static std::string UpToTime(const std::string& line) {
        return line.substr(0, line.rfind("; "));
    }
    static std::vector<std::string> Untimed(std::vector<std::string> lines) {
        for (std::string& line : lines) {
            const auto seconds = line.find(" s -> ");
            if (seconds != std::string::npos) {
                line.erase(line.rfind(", ", seconds), seconds - line.rfind(", ", seconds) + 2);
            }
            if (line.find(" not loaded, ") != std::string::npos) {
                line = UpToTime(line);
            }
            const auto open = line.rfind(" (");
            if (open != std::string::npos && line.ends_with(" s)")) {
                line.erase(open);
            }
        }
        return lines;
    }
};

TEST_F(ParallelExportTest, TheLinesFilesCountsAndStatusAreThoseOfOneProcess) {
    BatchOptions options = Options();
    std::vector<std::string> alone;
    const int aloneStatus = BatchExport(options, servers, files, [&](const std::string& line) {
                                alone.push_back(line);
                            }).Run();
    const std::map<std::string, std::string> aloneFiles = files.files;
    files.files.clear();

    options.force = false;
    InProcessWorkers workers(servers, files);
    std::vector<std::string> spread;
    const int spreadStatus = ParallelExport(options, workers, [&](const std::string& line) {
                                 spread.push_back(line);
                             }).Run();

    EXPECT_EQ(spreadStatus, aloneStatus);
    EXPECT_EQ(Untimed(spread), Untimed(alone));
    EXPECT_EQ(files.files, aloneFiles);
    EXPECT_EQ(workers.parallelSeen, 2u);
    // Four assemblies (the Gearbox given twice is left out once) in two runs of two: a worker
    // costs about what a small assembly does.
    ASSERT_EQ(workers.argumentsSeen.size(), 2u);
    EXPECT_EQ(workers.argumentsSeen[0].back(), samples + "\\Conveyor\\Conveyor.iam");
    EXPECT_EQ(workers.argumentsSeen[1].back(), samples + "\\Frame\\Frame.iam");
}

TEST_F(ParallelExportTest, AWorkerThatDiesIsReportedForItsAssembliesAndTheOthersStand) {
    InProcessWorkers workers(servers, files);
    workers.killed = {0}; // the Gearbox's and the Conveyor's
    std::vector<std::string> lines;
    EXPECT_EQ(
        ParallelExport(Options(), workers, [&](const std::string& line) { lines.push_back(line); })
            .Run(),
        1);
    EXPECT_EQ(files.files.count("D:\\Out\\Frame - Summary BOM.csv"), 1u);
    ASSERT_GE(lines.size(), 4u);
    for (const char* name : {"Gearbox.iam", "Conveyor.iam"}) {
        EXPECT_NE(std::find(lines.begin(), lines.begin() + 2,
                            std::string(name) + ": not exported: its worker process ended before "
                                                "it was done (exit status 3221225786)"),
                  lines.begin() + 2)
            << name;
    }
    EXPECT_EQ(lines[2].rfind("Nowhere.iam: not loaded:", 0), 0u) << lines[2];
    EXPECT_EQ(UpToTime(lines.back()),
              "1 of 4 assemblies written; 3 not loaded, 0 not written; "
              "0 missing components; 1 part has no up-to-date mass; open and "
              "save it in Inventor to update it");
}

TEST(WorkerArgumentsTest, AWorkerReadsBackTheOptionsOfItsRun) {
    BatchOptions options;
    options.indented = true;
    options.hyperlinks = true;
    options.bomRules = true;
    options.mergePartNumbers = true;
    options.force = true;
    options.strict = true;
    options.format = OutputFormat::Csv;
    options.csvReader = workbook::CsvReader::Import;
    options.layout = Layout::ParentChild;
    options.properties = {*model::ParsePropertyRequest("Our::Set:Weight"),
                          *model::ParsePropertyRequest("Design Tracking Properties:5")};
    options.outFolder = "D:\\Out folder";
    options.project = "D:\\Projects\\Frames.ipj";
    const CommandLineReading reading =
        ReadCommandLine(WorkerArguments(options, {"-odd name.iam", "D:\\A.iam"}), "test");
    ASSERT_TRUE(reading.options) << reading.message;
    const BatchOptions& read = *reading.options;
    EXPECT_TRUE(read.indented && read.hyperlinks && read.bomRules && read.mergePartNumbers &&
                read.force && read.strict && read.worker);
    EXPECT_EQ(read.format, OutputFormat::Csv);
    EXPECT_EQ(read.csvReader, workbook::CsvReader::Import);
    EXPECT_EQ(read.layout, Layout::ParentChild);
    ASSERT_EQ(read.properties.size(), 2u);
    EXPECT_EQ(read.properties[0].set, "Our:Set");
    EXPECT_EQ(read.properties[0].name, "Weight");
    EXPECT_EQ(read.properties[1].id, 5);
    EXPECT_EQ(read.outFolder, "D:\\Out folder");
    EXPECT_EQ(read.project, "D:\\Projects\\Frames.ipj");
    EXPECT_EQ(read.assemblies, (std::vector<std::string>{"-odd name.iam", "D:\\A.iam"}));

    // Pictures go into workbooks only.
    options.format = OutputFormat::Xlsx;
    options.csvReader.reset();
    options.pictures = true;
    const CommandLineReading pictures =
        ReadCommandLine(WorkerArguments(options, {"D:\\A.iam"}), "test");
    ASSERT_TRUE(pictures.options) << pictures.message;
    EXPECT_TRUE(pictures.options->pictures);
}

} // namespace
} // namespace pw::batch
