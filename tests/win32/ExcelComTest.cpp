#include "partwright/excel/ComExcel.h"
#include "partwright/export/modExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "shared/com/BlockVariant.h"
#include "shared/com/ComFailure.h"
#include "shared/com/Dispatch.h"
#include "shared/com/TextConvert.h"
#include "shared/com/UniqueHandle.h"
#include "shared/com/VariantRead.h"
#include "shared/core/Step.h"
#include "standins/inventor/StandinInventor.h"
#include "standins/workbook/WorkbookFiles.h"
#include "standins/workbook/WorkbookLauncher.h"
#include "tests/fakes/OptionsView.h"
#include "tests/fakes/RecordingView.h"
#include "tests/unit/standins/Samples.h"
#include "tests/win32/FailureCode.h"
#include "tests/win32/StartedProcess.h"

#include <windows.h>
#include <tlhelp32.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace pw::excel {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The stand-in Excel writes its workbooks here when its process ends.
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

// The stand-in Excel processes now running.
std::vector<DWORD> ExcelProcesses() {
    std::vector<DWORD> found;
    const com::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, L"excel_standin.exe") == 0) {
            found.push_back(entry.th32ProcessID);
        }
    }
    return found;
}

// Waits up to ten seconds for `done`.
bool Eventually(const std::function<bool()>& done) {
    for (int i = 0; i < 200; ++i) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

class ExcelOverCom : public testing::Test {
protected:
    standins::StandinInventor servers =
        standins::StandinInventor::OverFiles(tests::SamplesFolder());
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
        SetEnvironmentVariableW(L"PARTWRIGHT_EXCEL_EXIT_AT_CALL", nullptr);
        std::error_code error;
        std::filesystem::remove_all(WorkbookFolder(), error);
    }
    std::string ExportedJson(fakes::OptionsView& options) {
        ComExcelLauncher launcher;
        ExportState state;
        modExcel(bom, state, options, launcher).ExportToExcel();
        const std::string json = ReadFile(WorkbookFolder() / "Book1.json");
        std::error_code error;
        std::filesystem::remove(WorkbookFolder() / "Book1.json", error);
        return json;
    }
};

// Through the COM adapter into the out-of-process stand-in, the export gives the very workbook it
// gives straight into the workbook model, macros included, for every combination of the options.
// Each export starts an Excel of its own, which the macro writer uses too.
TEST_F(ExcelOverCom, ExportsTheSameWorkbookAsTheModelForEveryOptionCombination) {
    for (int combination = 0; combination < 8; ++combination) {
        fakes::OptionsView options;
        options.indented = combination & 1;
        options.builder = (combination >> 1) & 1;
        options.hyperlinks = (combination >> 2) & 1;
        SCOPED_TRACE("options " + std::to_string(combination));

        const std::string viaCom = ExportedJson(options);
        ASSERT_FALSE(viaCom.empty()) << "no Book1.json was written";

        auto direct = std::make_shared<standins::ExcelState>();
        standins::WorkbookLauncher model(direct);
        ExportState directState;
        modExcel(bom, directState, options, model).ExportToExcel();
        EXPECT_EQ(viaCom, standins::WorkbookJson(*direct->workbooks.at(0), model.Aside()));
        EXPECT_NE(viaCom.find("\"Partwright\""), std::string::npos) << "no macro module";
        EXPECT_TRUE(std::filesystem::exists(WorkbookFolder() / "Book1.xlsx"));
    }
    EXPECT_TRUE(Eventually([] { return ExcelProcesses().empty(); }));
}

// Each creation starts a process of its own, which is not in the running-object table and ends
// when its client lets go of it.
TEST_F(ExcelOverCom, RunsInAProcessOfItsOwnPerCreation) {
    ASSERT_TRUE(Eventually([] { return ExcelProcesses().empty(); }));
    {
        auto first = com::DispatchObject::Create("Excel.Application");
        auto second = com::DispatchObject::Create("Excel.Application");
        const auto running = ExcelProcesses();
        ASSERT_EQ(running.size(), 2u);
        EXPECT_EQ(std::count(running.begin(), running.end(), GetCurrentProcessId()), 0);
        EXPECT_THROW(ComExcelLauncher().Attach(), Failure);
        first.GetObject("Workbooks").Call("Add");
        EXPECT_EQ(com::Int32Of(first.GetObject("Workbooks").Get("Count").get()), 1);
        EXPECT_EQ(com::Int32Of(second.GetObject("Workbooks").Get("Count").get()), 0);
    }
    EXPECT_TRUE(Eventually([] { return ExcelProcesses().empty(); }));
}

com::DispatchObject RunningExcel() {
    CLSID excel;
    com::ThrowIfFailed(CLSIDFromProgID(L"Excel.Application", &excel), "Finding Excel");
    com::ComPtr<IUnknown> running;
    com::ThrowIfFailed(GetActiveObject(excel, nullptr, running.put()), "Attaching to Excel");
    com::ComPtr<IDispatch> app;
    com::ThrowIfFailed(running->QueryInterface(IID_IDispatch, app.put_void()), "IDispatch");
    return com::DispatchObject(std::move(app));
}

// Started as a user starts Excel, it is found by attaching, and stays until it is told to quit
// and let go of.
TEST_F(ExcelOverCom, AUserStartedExcelIsFoundByAttaching) {
    const tests::StartedProcess excel = tests::StartProcess(L"excel_standin.exe");
    ASSERT_TRUE(excel.process);
    {
        std::shared_ptr<Application> attached;
        ASSERT_TRUE(Eventually(
            [&] { return RunStep([&] { attached = ComExcelLauncher().Attach(); }) == kOk; }));
        attached->AddWorkbook()->Sheet(1)->SetName("Marked");
        ComExcelLauncher().Attach()->ActiveWorkbook()->Sheet(1)->SetName("Marked again");
        EXPECT_EQ(com::TextOf(RunningExcel().GetObject("ActiveSheet").Get("Name").get()),
                  "Marked again");
        auto another = com::DispatchObject::Create("Excel.Application");
        EXPECT_EQ(com::Int32Of(another.GetObject("Workbooks").Get("Count").get()), 0);
        RunningExcel().Call("Quit");
        EXPECT_THROW(ComExcelLauncher().Attach(), Failure);
    }
    EXPECT_EQ(WaitForSingleObject(excel.process.get(), 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(std::filesystem::exists(WorkbookFolder() / "Book1.json"));
}

// The stand-in dispatches from its type library as Excel does: what the adapter gets wrong fails
// here as it would on a user's machine.
TEST_F(ExcelOverCom, RefusesWhatExcelRefuses) {
    auto app = com::DispatchObject::Create("Excel.Application");
    auto sheet = app.GetObject("Workbooks").GetObject("Add").GetObject("ActiveSheet");
    // A property invoked as a method alone, a method invoked as a property get alone.
    EXPECT_EQ(tests::FailureCodeOf([&] { app.Invoke("Workbooks", DISPATCH_METHOD, {}); }),
              DISP_E_MEMBERNOTFOUND);
    auto workbooks = app.GetObject("Workbooks");
    EXPECT_EQ(tests::FailureCodeOf([&] { workbooks.Invoke("Add", DISPATCH_PROPERTYGET, {}); }),
              DISP_E_MEMBERNOTFOUND);
    // Visible can be set, not read; Cells takes no arguments; Item needs its row.
    EXPECT_EQ(tests::FailureCodeOf([&] { app.Get("Visible"); }), DISP_E_MEMBERNOTFOUND);
    EXPECT_TRUE(FAILED(tests::FailureCodeOf([&] { sheet.Get("Cells", 2, 3); })));
    EXPECT_TRUE(FAILED(tests::FailureCodeOf([&] { sheet.GetObject("Cells").Get("Item"); })));
    EXPECT_EQ(tests::FailureCodeOf([&] { app.Get("NoSuchMember"); }), DISP_E_UNKNOWNNAME);
    // A text where a number is wanted is refused as Excel refuses it.
    EXPECT_EQ(tests::FailureCodeOf([&] { sheet.GetObject("Cells").Get("Item", "two", 3); }),
              DISP_E_TYPEMISMATCH);
    sheet.GetObject("Cells").GetObject("Item", 2, 3).Put("Value", "'00123");
    EXPECT_EQ(com::TextOf(sheet.GetObject("Cells").GetObject("Item", 2, 3).Get("Value").get()),
              "00123");
}

// A block with a text longer than a cell holds is refused whole, with Excel's code; the export cuts
// such a text to fit, so its row and the rest of the block arrive.
TEST_F(ExcelOverCom, ATextLongerThanACellHoldsIsRefusedInABlockAndCutByTheExport) {
    auto app = com::DispatchObject::Create("Excel.Application");
    auto sheet = app.GetObject("Workbooks").GetObject("Add").GetObject("ActiveSheet");
    const std::string tooLong(kCellCharacters + 1, 'x');
    auto block = sheet.GetObject("Range", "A1:B1");
    EXPECT_EQ(tests::FailureCodeOf([&] {
                  block.Put("Value", com::BlockVariant(1, 2, [&](auto, auto column) {
                                return com::UniqueVariant(column == 0 ? "short" : tooLong);
                            }));
              }),
              static_cast<HRESULT>(0x800A03ECu));
    block = {};
    sheet = {};
    app = {}; // its workbook's files are written now, before the export's
    std::error_code error;
    std::filesystem::remove(WorkbookFolder() / "Book1.json", error);

    const std::shared_ptr<model::clsFileData> part = bom.FileData.Item(2);
    part->Description = tooLong;
    fakes::OptionsView options;
    const std::string json = ExportedJson(options);
    ASSERT_FALSE(json.empty()) << "no Book1.json was written";
    // The mark that keeps a field text ("'") counts among the cell's characters.
    EXPECT_NE(json.find('"' + std::string(kCellCharacters - 1, 'x') + '"'), std::string::npos);
    EXPECT_EQ(json.find(tooLong), std::string::npos);
}

// Excel closed under a running export: the export stops at once with a status line that says
// so, starts no other Excel, and the next export works.
TEST_F(ExcelOverCom, AnExcelThatDiesDuringTheExportEndsItPromptly) {
    fakes::OptionsView options = fakes::OptionsView::AllTicked();
    SetEnvironmentVariableW(L"PARTWRIGHT_EXCEL_EXIT_AT_CALL", L"150");
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(ExportedJson(options), "");
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(30));
    EXPECT_EQ(options.statuses.back(),
              "Excel closed during the export; the workbook is incomplete.");
    EXPECT_TRUE(Eventually([] { return ExcelProcesses().empty(); }));

    SetEnvironmentVariableW(L"PARTWRIGHT_EXCEL_EXIT_AT_CALL", nullptr);
    fakes::OptionsView again = fakes::OptionsView::AllTicked();
    EXPECT_NE(ExportedJson(again), "");
    EXPECT_EQ(again.statuses.back(), "Writing Macro to Excel");
}

} // namespace
} // namespace pw::excel
