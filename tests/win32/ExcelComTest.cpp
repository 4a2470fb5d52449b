#include "partwright/export/ComExcel.h"
#include "partwright/export/modExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "shared/com/Dispatch.h"
#include "shared/com/TextConvert.h"
#include "shared/com/VariantRead.h"
#include "standins/inventor/StandinInventor.h"
#include "standins/workbook/WorkbookApplication.h"
#include "standins/workbook/WorkbookFiles.h"
#include "tests/fakes/FakeInventor.h"
#include "tests/fakes/OptionsView.h"
#include "tests/fakes/RecordingView.h"
#include "tests/unit/standins/Samples.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

namespace pw::excel {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The stand-in Excel writes its workbooks here each time its clients let go of it.
std::filesystem::path WorkbookFolder() {
    static const std::filesystem::path folder = [] {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        const auto path = std::filesystem::path(temp) /
                          ("partwright-excel-" + std::to_string(GetCurrentProcessId()));
        SetEnvironmentVariableW(L"PARTWRIGHT_WORKBOOK_DIR", path.wstring().c_str());
        return path;
    }();
    return folder;
}

class ExcelOverCom : public testing::Test {
protected:
    standins::StandinServerFactory servers{tests::SamplesFolder()};
    fakes::RecordingView loadView;
    model::BomModel bom;
    model::QuantityListing listing;

    void SetUp() override {
        WorkbookFolder();
        model::AssemblyLoader loader(bom, listing, loadView, servers);
        loadView.fileNameText = tests::SamplesFolder() + "\\Gearbox.iam";
        loader.LoadAssembly();
    }
    void TearDown() override {
        std::error_code error;
        std::filesystem::remove_all(WorkbookFolder(), error);
    }
};

// The export through the COM adapter into the stand-in Excel gives the very workbook the export
// gives straight into the workbook model, for every combination of the three options.
TEST_F(ExcelOverCom, ExportsTheSameWorkbookAsTheModelForEveryOptionCombination) {
    ComExcelLauncher launcher;
    for (int combination = 0; combination < 8; ++combination) {
        fakes::OptionsView options;
        options.indented = combination & 1;
        options.builder = (combination >> 1) & 1;
        options.hyperlinks = (combination >> 2) & 1;
        SCOPED_TRACE("options " + std::to_string(combination));

        ExportState comState;
        modExcel(bom, comState, options, launcher).ExportToExcel();

        auto direct = std::make_shared<standins::ExcelState>();
        direct->nextBookNumber = combination + 1; // the stand-in's Excel holds all books so far
        standins::WorkbookLauncher model(direct);
        ExportState directState;
        modExcel(bom, directState, options, model).ExportToExcel();

        const std::string book = "Book" + std::to_string(combination + 1);
        const std::string viaCom = ReadFile(WorkbookFolder() / (book + ".json"));
        ASSERT_FALSE(viaCom.empty()) << "no " << book << ".json was written";
        EXPECT_EQ(viaCom, standins::WorkbookJson(*direct->workbooks.at(0)));
        EXPECT_TRUE(std::filesystem::exists(WorkbookFolder() / (book + ".xlsx")));
        EXPECT_TRUE(std::filesystem::exists(WorkbookFolder() / (book + ".Partwright.bas")));
    }
}

TEST_F(ExcelOverCom, ASecondAttachFindsTheSameApplication) {
    ComExcelLauncher launcher;
    auto started = launcher.Start();
    started->AddWorkbook()->ActiveSheet()->SetName("Marked");
    auto attached = launcher.Attach();
    EXPECT_EQ(attached->ActiveWorkbook()->ActiveSheet()->Name(), "Marked");
    EXPECT_THROW(attached->ActiveWorkbook()->SelectSheet("No such sheet"), Failure);
    auto app = com::DispatchObject::Create("Excel.Application");
    EXPECT_EQ(com::TextOf(app.GetObject("ActiveSheet").Get("Name").get()), "Marked");
    // Cells(r, c) and Sheets(name) work as calls on Excel's default members.
    app.GetObject("ActiveSheet").GetObject("Cells", 2, 3).Put("Value", "'00123");
    EXPECT_EQ(com::TextOf(app.GetObject("Cells").Call(DISPID_VALUE, 2, 3).get()), "00123");
    EXPECT_THROW(app.Get("NoSuchMember"), Failure);
}

// What one Indented BOM row costs through IDispatch, measured as the difference between an
// assembly with one part used once and with the same part used 101 times.
TEST(ExcelCallsPerRow, AreReportedForEachOption) {
    WorkbookFolder();
    const auto invokesFor = [](int uses, fakes::OptionsView& options) {
        fakes::FakeInventor inventor;
        inventor.AddAssembly("C:\\Bench\\Top.iam");
        inventor.AddPart("C:\\Bench\\Part.ipt");
        for (int i = 0; i < uses; ++i) {
            inventor.AddOccurrence("C:\\Bench\\Top.iam", "Part:" + std::to_string(i),
                                   "C:\\Bench\\Part.ipt");
        }
        fakes::RecordingView view;
        model::BomModel bom;
        model::QuantityListing listing;
        model::AssemblyLoader loader(bom, listing, view, inventor);
        view.fileNameText = "C:\\Bench\\Top.iam";
        loader.LoadAssembly();
        ComExcelLauncher launcher;
        ExportState state;
        const auto before = com::DispatchObject::CallCounts();
        modExcel(bom, state, options, launcher).ExportToExcel();
        const auto after = com::DispatchObject::CallCounts();
        return std::make_pair(static_cast<double>(after.invokes - before.invokes),
                              static_cast<double>(after.nameLookups - before.nameLookups));
    };
    for (const auto& [name, indented, builder, hyperlinks] :
         {std::tuple{"no option", 0, 0, 0}, std::tuple{"level columns", 1, 0, 0},
          std::tuple{"builder", 0, 1, 0}, std::tuple{"hyperlinks", 0, 0, 1},
          std::tuple{"all three", 1, 1, 1}}) {
        fakes::OptionsView options;
        options.indented = indented;
        options.builder = builder;
        options.hyperlinks = hyperlinks;
        invokesFor(1, options); // names looked up once are not looked up again
        const auto one = invokesFor(1, options);
        const auto many = invokesFor(101, options);
        const double perRow = (many.first - one.first) / 100.0;
        const double lookups = (many.second - one.second) / 100.0;
        std::cout << "IDispatch calls per Indented BOM row, " << name << ": " << perRow
                  << " Invoke, " << lookups << " GetIDsOfNames\n";
        EXPECT_GT(perRow, 20);
        EXPECT_LE(lookups, 1); // only the named arguments of Hyperlinks.Add
    }
}

} // namespace
} // namespace pw::excel
