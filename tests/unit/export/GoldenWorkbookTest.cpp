// The exported workbook, byte for byte, against files kept from a known-good export: the
// Gearbox and Conveyor samples and two generated assemblies, in all eight combinations of the
// options. A change
// to how the export reaches Excel must leave every one of them as it is. To take a deliberate
// change of the workbook, run the test with PARTWRIGHT_WRITE_GOLDEN=1 and review the files' diff.
#include "partwright/batch/BomWorkbook.h"
#include "partwright/export/modExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "partwright/model/BomRules.h"
#include "standins/inventor/StandinFiles.h"
#include "standins/inventor/StandinInventor.h"
#include "standins/workbook/WorkbookFiles.h"
#include "standins/workbook/WorkbookLauncher.h"
#include "tests/fakes/OptionsView.h"
#include "tests/fakes/RecordingView.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace pw::excel {
namespace {

const std::string kTracking = "Design Tracking Properties";
const std::string kSummary = "Inventor Summary Information";

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The sample folder's place differs between checkouts; the files name it <samples>. The
// Windows build names it with either separator.
std::string WithoutSamplesFolder(std::string json) {
    std::string folder = standins::WindowsPathOf(PARTWRIGHT_SAMPLES_DIR);
    for (const char separator : {'/', '\\'}) {
        std::string escaped;
        for (const char c : folder) {
            const char written = c == '/' || c == '\\' ? separator : c;
            escaped += written == '\\' ? std::string("\\\\") : std::string(1, written);
        }
        for (std::size_t at = json.find(escaped); at != std::string::npos;
             at = json.find(escaped, at)) {
            json.replace(at, escaped.size(), "<samples>");
        }
    }
    return json;
}

// Missing components, texts that Excel would read as numbers, dates or formulas, a part used
// many times and parts without a part number.
void TextsAndMissing(standins::StandinInventor& inventor) {
    auto& top = inventor.AddAssembly("C:\\Work\\Texts.iam", "Texts");
    top.properties[{kTracking, 5}] = Value{"00123"};
    auto& part = inventor.AddPart("C:\\Work\\Parts\\Formula.ipt");
    part.properties = {
        {{kTracking, 5}, Value{"=1+1"}},           {{kSummary, 9}, Value{"1-2"}},
        {{kTracking, 29}, Value{"3/4"}},           {{kTracking, 36}, Value{12.5}},
        {{kTracking, 40}, Value{std::int32_t{2}}}, {{kTracking, 20}, Value{"TRUE"}},
    };
    auto& sub = inventor.AddAssembly("C:\\Work\\Sub.iam");
    sub.properties[{kTracking, 5}] = Value{"0.50"};
    inventor.AddPart("C:\\Work\\Parts\\Plain.ipt");
    inventor.AddOccurrence("C:\\Work\\Texts.iam", "Formula:1", "C:\\Work\\Parts\\Formula.ipt",
                           {0.5, -0.707106781186548, 0, 1E-05, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    for (int i = 1; i <= 3; ++i) {
        inventor.AddOccurrence("C:\\Work\\Texts.iam", "Sub:" + std::to_string(i),
                               "C:\\Work\\Sub.iam");
    }
    inventor.AddOccurrence("C:\\Work\\Sub.iam", "Plain:1", "C:\\Work\\Parts\\Plain.ipt");
    inventor.AddOccurrence("C:\\Work\\Sub.iam", "Gone:1", "C:\\Work\\Parts\\Gone.ipt");
    inventor.AddOccurrence("C:\\Work\\Texts.iam", "Lost:1", "C:\\Work\\Lost.iam");
}

// A chain 28 levels deep, so that the level columns run past column Z.
void DeepChain(standins::StandinInventor& inventor) {
    inventor.AddAssembly("C:\\Deep\\L1.iam", "Deep");
    for (int level = 2; level <= 28; ++level) {
        const std::string path = "C:\\Deep\\L" + std::to_string(level) + ".iam";
        inventor.AddAssembly(path).properties[{kTracking, 5}] = Value{"L" + std::to_string(level)};
        inventor.AddOccurrence("C:\\Deep\\L" + std::to_string(level - 1) + ".iam",
                               "L" + std::to_string(level) + ":1", path);
    }
    inventor.AddPart("C:\\Deep\\Leaf.ipt").properties[{kTracking, 5}] = Value{"LEAF"};
    inventor.AddOccurrence("C:\\Deep\\L28.iam", "Leaf:1", "C:\\Deep\\Leaf.ipt");
    inventor.AddOccurrence("C:\\Deep\\L28.iam", "Leaf:2", "C:\\Deep\\Leaf.ipt");
}

void Load(inventor::ServerFactory& servers, const std::string& top, model::BomModel& model) {
    fakes::RecordingView view;
    view.fileNameText = top;
    model::QuantityListing listing;
    model::AssemblyLoader(model, listing, view, servers).LoadAssembly();
}

// A workbook's JSON against its golden file, which PARTWRIGHT_WRITE_GOLDEN=1 writes anew.
void CompareWithGolden(const std::string& json, const std::string& name) {
    const std::string file = std::string(PARTWRIGHT_GOLDEN_DIR) + "/" + name + ".json";
    if (const char* write = std::getenv("PARTWRIGHT_WRITE_GOLDEN");
        write && write == std::string("1")) {
        std::ofstream(file, std::ios::binary) << json;
    }
    SCOPED_TRACE(file);
    EXPECT_EQ(json, ReadFile(file));
}

// Without "Make Builder" the workbook is the one with it less the builder's part: the Indented
// BOM keeps only its first button ("Preview Image"), and the macro module only its first text,
// the preview procedure.
nlohmann::json WithoutBuilder(nlohmann::json book) {
    for (auto& sheet : book["sheets"]) {
        if (sheet["name"] == "Indented BOM") {
            auto& shapes = sheet["shapes"];
            shapes.erase(shapes.begin() + 1, shapes.end());
        }
    }
    for (auto& module : book["modules"]) {
        if (module["name"] == "Partwright") {
            auto& texts = module["addedTexts"];
            texts.erase(texts.begin() + 1, texts.end());
            module["code"] = texts[0];
        }
    }
    return book;
}

std::string GoldenFile(const std::string& name, int combination) {
    return std::string(PARTWRIGHT_GOLDEN_DIR) + "/" + name + "-" + std::to_string(combination) +
           ".json";
}

// The golden files hold the four combinations with "Make Builder"; the four without it must be
// those less the builder's part.
void CompareInAllCombinations(const std::string& name, model::BomModel& model) {
    for (const int combination : {2, 3, 6, 7, 0, 1, 4, 5}) {
        fakes::OptionsView options;
        options.indented = combination & 1;
        options.builder = (combination >> 1) & 1;
        options.hyperlinks = (combination >> 2) & 1;
        auto excel = std::make_shared<standins::ExcelState>();
        standins::WorkbookLauncher launcher(excel);
        ExportState state;
        modExcel(model, state, options, launcher).ExportToExcel();
        const std::string json =
            WithoutSamplesFolder(standins::WorkbookJson(*excel->workbooks.at(0), launcher.Aside()));
        if (options.builder) {
            CompareWithGolden(json, name + "-" + std::to_string(combination));
            continue;
        }
        const std::string file = GoldenFile(name, combination | 2);
        SCOPED_TRACE(file + " without the builder");
        EXPECT_EQ(nlohmann::json::parse(json),
                  WithoutBuilder(nlohmann::json::parse(ReadFile(file))));
    }
}

// partwright-export's workbook holds the three sheets of the Excel export, cell for cell and
// format for format, without the buttons; Excel's own workbook also keeps the sheets it started
// with and the macros.
void CompareBatchWorkbook(const std::string& name, model::BomModel& model) {
    for (const int combination : {0, 1, 4, 5}) {
        const auto book =
            batch::BomWorkbook(model, {.levelColumns = (combination & 1) != 0, .quantities = true},
                               (combination & 4) != 0);
        const auto ours = nlohmann::json::parse(
            WithoutSamplesFolder(standins::WorkbookJson(*book, standins::ShapesAndModules())));
        const std::string file = GoldenFile(name, combination | 2);
        const auto excel = nlohmann::json::parse(ReadFile(file));
        auto expected = nlohmann::json::array();
        for (auto sheet : excel["sheets"]) {
            const auto sheetName = sheet["name"].get<std::string>();
            if (sheetName == "Summary-Totals" || sheetName == "Summary BOM" ||
                sheetName == "Indented BOM") {
                sheet["shapes"] = nlohmann::json::array();
                expected.push_back(sheet);
            }
        }
        SCOPED_TRACE(file);
        EXPECT_EQ(ours["sheets"], expected);
    }
}

// A sample assembly, loaded from the samples folder by the Inventor stand-in.
void LoadSample(const std::string& relative, model::BomModel& model) {
    const std::string samples = standins::WindowsPathOf(PARTWRIGHT_SAMPLES_DIR);
    auto servers = standins::StandinInventor::OverFiles(samples);
    Load(servers, samples + "\\" + relative, model);
}

TEST(GoldenWorkbook, TheGearboxSample) {
    model::BomModel model;
    LoadSample("Gearbox.iam", model);
    CompareInAllCombinations("gearbox", model);
    CompareBatchWorkbook("gearbox", model);
}

// Virtual, suppressed, reference, phantom and purchased components; partwright-export's
// workbook with --bom-rules is kept whole.
TEST(GoldenWorkbook, TheConveyorSample) {
    model::BomModel model;
    LoadSample("Conveyor\\Conveyor.iam", model);
    CompareInAllCombinations("conveyor", model);
    CompareBatchWorkbook("conveyor", model);

    model::BomModel ruled = model::ApplyBomRules(model);
    const auto book = batch::BomWorkbook(
        ruled, {.levelColumns = true, .bomStructure = true, .quantities = true}, true);
    // A file's workbook has no name of its own; the golden file was first made by Excel's "Book1".
    book->name = "Book1";
    CompareWithGolden(
        WithoutSamplesFolder(standins::WorkbookJson(*book, standins::ShapesAndModules())),
        "conveyor-bom-rules");
}

TEST(GoldenWorkbook, TextsThatExcelWouldReadOtherwiseAndMissingComponents) {
    standins::StandinInventor inventor;
    TextsAndMissing(inventor);
    model::BomModel model;
    Load(inventor, "C:\\Work\\Texts.iam", model);
    CompareInAllCombinations("texts", model);
    CompareBatchWorkbook("texts", model);
}

TEST(GoldenWorkbook, MoreLevelsThanLettersOfTheAlphabet) {
    standins::StandinInventor inventor;
    DeepChain(inventor);
    model::BomModel model;
    Load(inventor, "C:\\Deep\\L1.iam", model);
    CompareInAllCombinations("deep", model);
    CompareBatchWorkbook("deep", model);
}

} // namespace
} // namespace pw::excel
