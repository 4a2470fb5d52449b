#include "partwright/batch/BatchExport.h"
#include "standins/inventor/StandinInventor.h"
#include "tests/fakes/MemoryFiles.h"
#include "tests/unit/standins/Samples.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

// The frame sample: tubes of two lengths and mesh panels counted in mm and m^2, bolts each, a
// virtual coat of paint in kg; a side sub-assembly used twice, whose stored mass is out of date.
namespace pw::batch {
namespace {

std::vector<std::string> LinesOf(const std::string& csv) {
    std::vector<std::string> lines;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

class FrameQuantitiesTest : public ::testing::Test {
protected:
    const std::string samples = tests::SamplesFolder();
    const std::string frame = samples + "\\Frame\\Frame.iam";
    standins::StandinInventor servers = standins::StandinInventor::OverFiles(samples);
    fakes::MemoryFiles files;
    std::vector<std::string> report;

    int Run(BatchOptions options) {
        options.assemblies = {frame};
        options.format = OutputFormat::Csv;
        options.outFolder = "D:\\Out";
        return BatchExport(options, servers, files,
                           [&](const std::string& line) { report.push_back(line); })
            .Run();
    }
};

// Worked by hand: 2 sides of 4 long tubes and 2 short, 4 short tubes across, 2 panels, 2 x 8 +
// 16 bolts and the paint.
TEST_F(FrameQuantitiesTest, TheSummaryBomTotalsEachPartInItsBaseUnit) {
    BatchOptions options;
    EXPECT_EQ(Run(options), kAllWritten);
    const auto summary = LinesOf(files.files.at("D:\\Out\\Frame - Summary BOM.csv"));
    ASSERT_GE(summary.size(), 8u);
    EXPECT_NE(summary[0].find(",Unit QTY,Total QTY,Unit"), std::string::npos) << summary[0];
    const std::map<std::string, std::string> expected = {
        {"FR-120", "2,FR-120"},
        {"FR-101", "8,FR-101"},
        {"FR-102", "8,FR-102"},
        {"FR-110", "2,FR-110"},
        {"ISO 4017 M8x20", "32,ISO 4017 M8x20"},
        {"PT-RAL7035", "1,PT-RAL7035"},
    };
    const std::map<std::string, std::string> totals = {
        {"FR-120", ",each,2,each"},          {"FR-101", ",1250.000 mm,10000,mm"},
        {"FR-102", ",800.000 mm,6400,mm"},   {"FR-110", ",0.480 m^2,0.96,m^2"},
        {"ISO 4017 M8x20", ",each,32,each"}, {"PT-RAL7035", ",1.500 kg,1.5,kg"},
    };
    for (const auto& [partNumber, start] : expected) {
        const auto row = std::find_if(summary.begin(), summary.end(), [&](const std::string& l) {
            return l.find("," + partNumber + ",") != std::string::npos;
        });
        ASSERT_NE(row, summary.end()) << partNumber;
        EXPECT_EQ(row->substr(0, start.size()), start);
        const std::string& ending = totals.at(partNumber);
        EXPECT_EQ(row->substr(row->size() - ending.size()), ending) << *row;
    }
    // The side's mass was saved out of date: said on the assembly's line and in the summary.
    EXPECT_EQ(report[1], "  1 part has no up-to-date mass; open and save it in Inventor to update "
                         "it");
    EXPECT_NE(report.back().find("; 1 part has no up-to-date mass;"), std::string::npos)
        << report.back();

    // Nothing is missing: the mass alone fails a strict run, whose files are still written.
    options.strict = true;
    options.force = true;
    EXPECT_EQ(Run(options), kSomeFailed);
}

// A planner's import: one line per parent and component, its count per parent and what that
// count is in.
TEST_F(FrameQuantitiesTest, TheParentChildCsvCarriesTheQuantityPerParentInItsUnit) {
    BatchOptions options;
    options.layout = Layout::ParentChild;
    options.bomRules = true;
    EXPECT_EQ(Run(options), kAllWritten);
    const auto lines = LinesOf(files.files.at("D:\\Out\\Frame - Parent-Child.csv"));
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0],
              "\xEF\xBB\xBFParent Partnumber,Parent File,Component Partnumber,Component File,"
              "Quantity,Description,Material,BOM Structure,Level,Unit QTY,Total QTY,"
              "Unit");
    EXPECT_EQ(lines[1], "FR-100,Frame.iam,FR-120,Side.iam,2,Frame side,Default,Normal,1,each,2,"
                        "each");
    EXPECT_EQ(lines[2], "FR-120,Side.iam,FR-101,Tube 1250.ipt,4,\"Square tube 40x40x3, 1250 mm\","
                        "\"Steel, Mild\",Normal,2,1250.000 mm,5000,mm");
    EXPECT_EQ(lines[3], "FR-120,Side.iam,FR-102,Tube 800.ipt,2,\"Square tube 40x40x3, 800 mm\","
                        "\"Steel, Mild\",Normal,2,800.000 mm,1600,mm");
    EXPECT_EQ(lines[4], "FR-120,Side.iam,ISO 4017 M8x20,Bolt M8x20.ipt,8,Hexagon head screw M8 "
                        "x 20,\"Steel, 8.8\",Normal,2,each,8,each");
    EXPECT_EQ(lines[5], "FR-100,Frame.iam,FR-102,Tube 800.ipt,4,\"Square tube 40x40x3, 800 mm\","
                        "\"Steel, Mild\",Normal,1,800.000 mm,3200,mm");
    EXPECT_EQ(lines[6], "FR-100,Frame.iam,FR-110,Mesh Panel.ipt,2,Expanded mesh panel 600 x 800,"
                        "\"Steel, Galvanized\",Normal,1,0.480 m^2,0.96,m^2");
    EXPECT_EQ(lines[7], "FR-100,Frame.iam,ISO 4017 M8x20,Bolt M8x20.ipt,16,Hexagon head screw M8 "
                        "x 20,\"Steel, 8.8\",Normal,1,each,16,each");
    EXPECT_EQ(lines[8], "FR-100,Frame.iam,PT-RAL7035,\"Paint (virtual, in Frame.iam)\",1,Powder "
                        "coating RAL 7035,,Normal,1,1.500 kg,1.5,kg");
}

} // namespace
} // namespace pw::batch
