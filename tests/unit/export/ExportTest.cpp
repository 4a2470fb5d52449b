#include "ExportFixture.h"
#include "partwright/export/CellText.h"
#include "partwright/export/SheetControls.h"
#include "partwright/macros/MacroTexts.h"
#include "standins/workbook/ExcelUser.h"
#include "standins/workbook/SessionApi.h"
#include "standins/workbook/WorkbookApplication.h"
#include "standins/workbook/WorkbookFiles.h"

namespace pw::excel {
namespace {

using standins::ShapeKind;
using workbook::CellKind;

const std::string kTop = "C:\\Work\\Gearbox.iam";
const std::string kHousing = "C:\\Work\\Housing.iam";
const std::string kShaft = "C:\\Work\\Parts\\Shaft.ipt";
const std::string kBolt = "C:\\Work\\Parts\\Bolt.ipt";
const std::string kTracking = "Design Tracking Properties";

// Gearbox: Shaft, Housing x2 (each with Bolt x2), a missing Lost:1 twice.
class ExportTest : public ExportFixture {
protected:
    void SetUp() override {
        auto& top = inventor.AddAssembly(kTop, "Gearbox");
        top.properties[{kTracking, 5}] = Value{"GB-100"};
        auto& shaft = inventor.AddPart(kShaft);
        shaft.properties = {
            {{kTracking, 5}, Value{"00123"}},
            {{"Inventor Summary Information", 9}, Value{"1-2"}},
            {{kTracking, 29}, Value{"=Drive shaft"}},
            {{kTracking, 40}, Value{std::int32_t{1}}},
            {{kTracking, 36}, Value{125.5}},
            {{kTracking, 20}, Value{"Steel"}},
        };
        auto& housing = inventor.AddAssembly(kHousing);
        housing.properties[{kTracking, 5}] = Value{"H-7"};
        housing.properties[{kTracking, 40}] = Value{std::int32_t{7}};
        inventor.AddPart(kBolt); // no part number
        inventor.AddOccurrence(kTop, "Shaft:1", kShaft,
                               {1, 0, 0, 0.5, 0, 1, 0, 0, 0, 0, 1, -2.25, 0, 0, 0, 1});
        inventor.AddOccurrence(kTop, "Housing:1", kHousing);
        inventor.AddOccurrence(kTop, "Housing:2", kHousing);
        inventor.AddOccurrence(kHousing, "Bolt:1", kBolt);
        inventor.AddOccurrence(kHousing, "Bolt:2", kBolt);
        inventor.AddOccurrence(kTop, "Lost:1", "C:\\Work\\Lost.ipt");
        inventor.AddOccurrence(kTop, "Lost:1", "C:\\Work\\Lost.ipt");
        Load(kTop);
        ASSERT_EQ(model.FileData.Count(), 10);
    }
};

TEST_F(ExportTest, TheFirstExportMakesThreeSheetsInFrontOfTheRemainingDefaults) {
    Export();
    ASSERT_EQ(excel->workbooks.size(), 1u);
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"Summary-Totals", "Summary BOM", "Indented BOM",
                                                "Sheet2", "Sheet3"}));
    EXPECT_EQ(Book().sheets[Book().activeSheet]->name, "Summary-Totals");
    EXPECT_TRUE(excel->visible);
    EXPECT_EQ(excel->windowState, kWindowStateNormal);
    EXPECT_TRUE(excel->screenUpdating);
}

TEST_F(ExportTest, TheIndentedBomHasLevelColumnsWhenAsked) {
    Export();
    EXPECT_EQ(RowTexts("Indented BOM", 1, 15),
              (std::vector<std::string>{"Level1", "Level2", "Level3", "Level", "Partnumber",
                                        "Revision", "Description", "Author", "Designer", "Cost",
                                        "Status", "Material", "Weight cm^3", "Path", "Filename"}));
    EXPECT_EQ(Shown(Sheet("Indented BOM"), 1, 16), "");
    // The top assembly: part number in level column 1, depth 1.
    EXPECT_EQ(RowTexts("Indented BOM", 2, 5),
              (std::vector<std::string>{"GB-100", "", "", "1", "GB-100"}));
    EXPECT_EQ(Shown(Sheet("Indented BOM"), 2, 14), "C:\\Work\\");
    EXPECT_EQ(Shown(Sheet("Indented BOM"), 2, 15), "Gearbox.iam");
    EXPECT_EQ(Shown(Sheet("Indented BOM"), 2, 16), "1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1");
    // The shaft at depth 2.
    EXPECT_EQ(RowTexts("Indented BOM", 3, 13),
              (std::vector<std::string>{"", "00123", "", "2", "00123", "1-2", "=Drive shaft", "",
                                        "", "125.5", "WIP", "Steel", ""}));
    EXPECT_EQ(Shown(Sheet("Indented BOM"), 3, 16), "1,0,0,0.5,0,1,0,0,0,0,1,-2.25,0,0,0,1");
    // A bolt at depth 3 under the first housing.
    EXPECT_EQ(Shown(Sheet("Indented BOM"), 5, 4), "3");
    EXPECT_EQ(Shown(Sheet("Indented BOM"), 5, 15), "Bolt.ipt");
    // Ten records, ten data rows.
    EXPECT_EQ(Shown(Sheet("Indented BOM"), 11, 4), "2");
    EXPECT_EQ(Shown(Sheet("Indented BOM"), 12, 4), "");
}

TEST_F(ExportTest, WithoutLevelColumnsLevelIsColumnOneAndMaxIndentIsKept) {
    options.indented = 0;
    Export();
    EXPECT_EQ(RowTexts("Indented BOM", 1, 13),
              (std::vector<std::string>{"Level", "Partnumber", "Revision", "Description", "Author",
                                        "Designer", "Cost", "Status", "Material", "Weight cm^3",
                                        "Path", "Filename", ""}));
    EXPECT_EQ(Shown(Sheet("Indented BOM"), 2, 13), "1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1");
    EXPECT_EQ(model.Counts.MaxIndent, 3);

    // A later export with level columns gets them again.
    options.indented = 1;
    Export();
    EXPECT_EQ(Shown(Sheet("Indented BOM", 1), 1, 3), "Level3");
    EXPECT_EQ(Shown(Sheet("Indented BOM", 1), 1, 4), "Level");
}

TEST_F(ExportTest, FieldTextStaysTextAndNumbersStayNumbers) {
    Export();
    const auto& sheet = Sheet("Indented BOM");
    EXPECT_EQ(sheet.Entry(3, 5).kind, CellKind::Text); // "00123", not 123
    EXPECT_EQ(sheet.Entry(3, 5).text, "00123");
    EXPECT_EQ(sheet.Entry(3, 6).kind, CellKind::Text); // "1-2", not a date
    EXPECT_EQ(sheet.Entry(3, 7).kind, CellKind::Text); // "=Drive shaft", not a formula
    EXPECT_EQ(sheet.Entry(3, 7).text, "=Drive shaft");
    EXPECT_EQ(sheet.Entry(3, 2).kind, CellKind::Text); // the level column too
    EXPECT_EQ(sheet.Entry(3, 10).kind, CellKind::Number);
    EXPECT_EQ(sheet.Entry(3, 10).number, 125.5);
    EXPECT_EQ(sheet.Entry(3, 4).kind, CellKind::Number);
    EXPECT_EQ(sheet.Entry(3, 16).kind, CellKind::Text);
    EXPECT_EQ(Sheet("Summary BOM").Entry(3, 2).text, "00123");
}

TEST_F(ExportTest, RowsAreColouredByKindAndPartNumber) {
    Export();
    const auto& sheet = Sheet("Indented BOM");
    const auto fill = [&](std::int32_t row) {
        return sheet.rows.count(row) ? sheet.rows.at(row).format.interiorColorIndex : std::nullopt;
    };
    const auto font = [&](std::int32_t row) {
        return sheet.rows.count(row) ? sheet.rows.at(row).format.fontColorIndex : std::nullopt;
    };
    EXPECT_EQ(fill(2), 34);                        // the top assembly
    EXPECT_EQ(fill(3), std::nullopt);              // the shaft
    EXPECT_EQ(fill(4), 34);                        // a housing
    EXPECT_EQ(font(5), 5);                         // a bolt without part number...
    EXPECT_EQ(sheet.rows.at(5).format.bold, true); // ...in bold
    EXPECT_EQ(font(10), 3);                        // a missing component
    EXPECT_EQ(Shown(sheet, 10, 5), "<Lost:1>");
    EXPECT_EQ(Shown(sheet, 10, 11), "NA-");
    EXPECT_EQ(Shown(sheet, 10, 14), "");
    EXPECT_EQ(Shown(sheet, 10, 15), "<Lost:1>");
    EXPECT_EQ(Shown(sheet, 10, 16), "");
    EXPECT_EQ(Shown(sheet, 4, 11), "NA-7");
    EXPECT_EQ(sheet.rows.at(1).height, 26.5);
    EXPECT_EQ(sheet.rows.at(1).format.bold, true);
    EXPECT_EQ(sheet.frozenAt, (std::pair<std::int32_t, std::int32_t>{2, 2}));
    EXPECT_EQ(Sheet("Summary BOM").frozenAt, (std::pair<std::int32_t, std::int32_t>{2, 1}));
}

// A part in a folder named like an assembly is a part row: filled as an assembly and ticked "A",
// "Build Assembly" would pass it over.
TEST_F(ExportTest, OnlyTheFilesOwnExtensionMakesAnAssemblyRow) {
    EXPECT_FALSE(IsAssemblyRow("C:\\Jobs\\Old.iam.files\\Bolt.ipt"));
    EXPECT_FALSE(IsAssemblyRow("C:\\Old Pump.iam files\\Bolt.ipt"));
    EXPECT_FALSE(IsAssemblyRow("C:/Old.iam/Bolt.ipt"));
    EXPECT_TRUE(IsAssemblyRow("C:\\x.IAM"));
    EXPECT_TRUE(IsAssemblyRow("C:\\Jobs\\Pump.Iam"));
    EXPECT_FALSE(IsAssemblyRow(".iam"));
    EXPECT_FALSE(IsAssemblyRow("C:\\Parts\\.iam"));
    EXPECT_FALSE(IsAssemblyRow("C:\\Parts\\Bolt.ipt"));
    EXPECT_FALSE(IsAssemblyRow("<Lost.iam:1>")); // a missing component's name
}

TEST_F(ExportTest, StatusTextsFollowTheRun) {
    Export();
    EXPECT_EQ(options.statuses, (std::vector<std::string>{
                                    "Sending Indented BOM to Excel, Please Wait...",
                                    "Sending BOM to Excel, Please Wait...",
                                    "Writing Macro to Excel",
                                }));
    EXPECT_EQ(options.yields, 3);
}

TEST_F(ExportTest, HyperlinksShowTheNameAndOpenTheFullPath) {
    options.hyperlinks = 1;
    Export();
    const auto& indented = Sheet("Indented BOM");
    ASSERT_EQ(indented.hyperlinks.size(), 10u);
    EXPECT_EQ(indented.hyperlinks[1].row, 3);
    EXPECT_EQ(indented.hyperlinks[1].column, 15);
    EXPECT_EQ(indented.hyperlinks[1].address, kShaft);
    EXPECT_EQ(indented.hyperlinks[1].textToDisplay, "Shaft.ipt");
    EXPECT_EQ(Shown(indented, 3, 15), "Shaft.ipt");
    const auto& summary = Sheet("Summary BOM");
    ASSERT_EQ(summary.hyperlinks.size(), 5u);
    EXPECT_EQ(summary.hyperlinks[0].column, 11);
    EXPECT_EQ(summary.hyperlinks[0].address, kTop);
}

// Excel reads "#" in a hyperlink's address as the start of a place inside the file; a path that
// holds one is linked as a file URL, so that the whole path stays the file.
class HashInPathTest : public ExportFixture {};

TEST_F(HashInPathTest, APathWithAHashIsLinkedWhole) {
    inventor.AddAssembly("C:\\Jobs\\Pump #2.iam", "Pump");
    inventor.AddPart("C:\\Jobs\\Lot #7\\Seal 100%.ipt");
    inventor.AddOccurrence("C:\\Jobs\\Pump #2.iam", "Seal:1", "C:\\Jobs\\Lot #7\\Seal 100%.ipt");
    inventor.AddPart("C:\\Jobs\\Plain.ipt");
    inventor.AddOccurrence("C:\\Jobs\\Pump #2.iam", "Plain:1", "C:\\Jobs\\Plain.ipt");
    Load("C:\\Jobs\\Pump #2.iam");
    options.hyperlinks = 1;
    Export();

    const auto& links = Sheet("Summary BOM").hyperlinks;
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[1].address, "file:///C:/Jobs/Lot%20%237/Seal%20100%25.ipt");
    EXPECT_EQ(links[1].subAddress, "");
    EXPECT_EQ(links[1].textToDisplay, "Seal 100%.ipt");
    EXPECT_EQ(links[2].address, "C:\\Jobs\\Plain.ipt"); // as ever without a "#"
    EXPECT_EQ(FileLinkAddress("\\\\server\\share\\a#b.ipt"), "file://server/share/a%23b.ipt");
}

TEST_F(ExportTest, ButtonsAndRowCheckBoxesCarryTheirMacrosAndLinks) {
    options.builder = 1;
    Export();
    const auto& sheet = Sheet("Indented BOM");
    const auto& shapes = Shapes("Indented BOM");
    ASSERT_EQ(shapes.size(), 12u);
    EXPECT_EQ(shapes[0].kind, ShapeKind::Button);
    EXPECT_EQ(shapes[0].text, "Preview Image");
    EXPECT_EQ(shapes[0].onAction, "PreviewImage");
    EXPECT_EQ(shapes[0].width, 100);
    EXPECT_EQ(shapes[0].height, 14);
    EXPECT_EQ(shapes[1].text, "Build Assembly");
    EXPECT_EQ(shapes[1].onAction, "AddPartToAssy");
    EXPECT_EQ(shapes[1].left, 120);
    EXPECT_EQ(shapes[1].width, 96);

    const auto& top = shapes[2];
    EXPECT_EQ(top.kind, ShapeKind::CheckBox);
    EXPECT_EQ(top.text, "A1");
    EXPECT_EQ(top.onAction, "FindMe2");
    EXPECT_EQ(top.linkedCell, "$D$2");
    EXPECT_EQ(top.borderColor, 32768);
    EXPECT_EQ(top.interiorColor, 13434838);
    // Switched off before the depth went into its linked cell, which the box now shows: mixed.
    EXPECT_EQ(top.value, 2);
    EXPECT_EQ(top.top, sheet.RowTop(2));
    EXPECT_EQ(top.left, sheet.ColumnLeft(4));
    EXPECT_EQ(top.height, sheet.RowHeight(2));
    const auto& shaft = shapes[3];
    EXPECT_EQ(shaft.text, "P2");
    EXPECT_EQ(shaft.onAction, "");
    EXPECT_EQ(shaft.linkedCell, "$D$3");
    EXPECT_EQ(shapes[5].text, "P3"); // first bolt
    EXPECT_EQ(shapes[11].linkedCell, "$D$11");
    for (std::int32_t row = 2; row <= 11; ++row) { // every linked cell keeps its depth
        EXPECT_EQ(sheet.Entry(row, 4).kind, CellKind::Number) << row;
    }
    EXPECT_EQ(Shown(sheet, 3, 4), "2");

    const auto& summary = Shapes("Summary BOM");
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_EQ(summary[0].onAction, "PreviewImage");
}

TEST_F(ExportTest, WithoutTheBuilderThereIsOnlyThePreviewButton) {
    Export();
    ASSERT_EQ(Shapes("Indented BOM").size(), 1u);
    EXPECT_EQ(Shapes("Indented BOM")[0].text, "Preview Image");
}

TEST_F(ExportTest, TheSummaryListsEachFileOnceWithItsTotal) {
    Export();
    EXPECT_EQ(
        RowTexts("Summary BOM", 1, 11),
        (std::vector<std::string>{"Quan", "Partnumber", "Revision", "Description", "Author",
                                  "Designer", "Cost", "Status", "Material", "Path", "Filename"}));
    const auto& sheet = Sheet("Summary BOM");
    EXPECT_EQ(Shown(sheet, 2, 1), ""); // the top assembly has no entry
    EXPECT_EQ(Shown(sheet, 2, 2), "GB-100");
    EXPECT_EQ(Shown(sheet, 3, 1), "1"); // shaft
    EXPECT_EQ(Shown(sheet, 4, 1), "2"); // housing
    EXPECT_EQ(Shown(sheet, 5, 1), "4"); // bolt, through both housings
    EXPECT_EQ(Shown(sheet, 5, 11), "Bolt.ipt");
    EXPECT_EQ(Shown(sheet, 6, 1), "-2"); // the missing component
    EXPECT_EQ(sheet.rows.at(6).format.fontColorIndex, 3);
    EXPECT_EQ(Shown(sheet, 7, 1), "");
}

TEST_F(ExportTest, TheTotalsSheetSumsUpTheModel) {
    options.indented = 0;
    Export();
    const auto& sheet = Sheet("Summary-Totals");
    EXPECT_EQ(Shown(sheet, 1, 1), "Summary Information for " + kTop);
    EXPECT_EQ(sheet.Find(1, 1)->format.horizontalAlignment, kAlignLeft);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Max Indenting: ", "3"}, {"Total Files: ", "4"},        {"Total Assemblies: ", "3"},
        {"Total Parts: ", "5"},   {"Total Parts+Ass'ys: ", "8"}, {"Missing Components: ", "2"},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto row = static_cast<std::int32_t>(2 + i);
        EXPECT_EQ(Shown(sheet, row, 1), expected[i].first);
        EXPECT_EQ(Shown(sheet, row, 2), expected[i].second);
        EXPECT_EQ(sheet.Entry(row, 2).kind, CellKind::Number);
    }
    const auto& column = sheet.columns.at(1);
    EXPECT_EQ(column.format.bold, true);
    EXPECT_EQ(column.format.horizontalAlignment, kAlignRight);
    EXPECT_EQ(column.width, 22);
}

TEST_F(ExportTest, TheExportEndsByWritingTheMacroModule) {
    options.builder = 1;
    Export();
    const auto modules = Modules();
    const auto module = std::find_if(modules.begin(), modules.end(),
                                     [](const auto& m) { return m.name == "Partwright"; });
    ASSERT_NE(module, modules.end());
    EXPECT_EQ(module->type, 1);
    EXPECT_EQ(module->addedTexts,
              (std::vector<std::string>{macros::PreviewImageText(3), macros::FindMe2Text(),
                                        macros::AddPartToAssyText(), macros::FillTMatrixText()}));
}

TEST_F(ExportTest, TheMacrosGetTheLevelColumnsOfTheLastExport) {
    options.indented = 0;
    Export();
    const std::string text = Modules().back().addedTexts.at(0);
    EXPECT_NE(text.find("FN = Cells(rownum, 11).Value & Cells(rownum, 12).Value"),
              std::string::npos);
    EXPECT_EQ(IndentColumnsForMacros(state, model), 0);
    Load(kTop); // a new load: the model's depth again
    EXPECT_EQ(IndentColumnsForMacros(state, model), 3);
}

TEST_F(ExportTest, TwoExportsMakeTwoWorkbooksWithTheSameContent) {
    Export();
    Export();
    ASSERT_EQ(excel->workbooks.size(), 2u);
    EXPECT_EQ(Tabs(1), Tabs(0));
    for (const char* name : {"Indented BOM", "Summary BOM", "Summary-Totals"}) {
        SCOPED_TRACE(name);
        const auto& first = Sheet(name, 0);
        const auto& second = Sheet(name, 1);
        std::size_t cells = 0;
        first.ForEachCell([&](std::int32_t row, std::int32_t column, const auto& cell) {
            ++cells;
            EXPECT_EQ(second.Entry(row, column), cell.entry) << row << "," << column;
        });
        EXPECT_GT(cells, 10u);
        EXPECT_EQ(second.grid.size(), first.grid.size());
    }
}

// A sheet that cannot be added gets nothing, and nothing of it lands on the sheet before.
TEST_F(ExportTest, ASheetThatCannotBeAddedLeavesThePreviousSheetAsItWasAndIsCounted) {
    faults->worksheetAddsLeft = 0; // the Summary BOM and the totals get no sheet
    Export();
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"Indented BOM", "Sheet2", "Sheet3"}));
    const auto& indented = Sheet("Indented BOM");
    EXPECT_EQ(Shown(indented, 1, 4), "Level");
    EXPECT_EQ(Shown(indented, 2, 4), "1");
    EXPECT_EQ(indented.grid.size(), static_cast<std::size_t>(model.FileData.Count() + 1));
    for (const auto& name : {"Sheet2", "Sheet3"}) {
        EXPECT_TRUE(Sheet(name).grid.empty()) << name;
    }
    ASSERT_FALSE(options.statuses.empty());
    EXPECT_TRUE(options.statuses.back().starts_with("Exported, but ")) << options.statuses.back();
    EXPECT_NE(options.statuses.back().find("the first: Method 'Add' of object 'Sheets' failed"),
              std::string::npos)
        << options.statuses.back();
}

// A step that fails costs only itself, and is counted and said at the end, whatever it was.
TEST_F(ExportTest, EveryFailedStepIsCountedAndSaid) {
    options = OptionsView::AllTicked();
    faults->refusedCheckBox = 3; // the shaft's row
    Export();
    EXPECT_EQ(options.statuses.back(), "Exported, but 1 step failed; the first: Unable to get "
                                       "the Add property of the CheckBoxes class");
    EXPECT_EQ(Shapes("Indented BOM").size(), 2u + 9u);  // two buttons, every other row's box
    EXPECT_EQ(Shown(Sheet("Indented BOM"), 3, 4), "2"); // the depth is still written

    // An element of a placement that cannot be read: no placement rather than a wrong one.
    inventor.Faults().FailOn(standins::Op::Cell, "2,4");
    Export();
    EXPECT_EQ(Shown(Sheet("Indented BOM", 1), 3, 16), "");
    EXPECT_EQ(options.statuses.back().rfind("Exported, but 8 steps failed; the first: the "
                                            "placement of row 2 of Indented BOM: ",
                                            0),
              0u)
        << options.statuses.back();
    inventor.Faults() = standins::FaultPlan();

    // No workbook at all: nothing was exported, and the status says so.
    faults->refuseWorkbookAdd = true;
    Export();
    EXPECT_EQ(excel->workbooks.size(), 2u);
    EXPECT_EQ(options.statuses.back(), "Excel could not add a workbook; nothing was exported: "
                                       "Method 'Add' of object 'Workbooks' failed");
}

// The total of parts and assemblies is written even beyond what 32 bits hold.
TEST_F(ExportTest, ATotalBeyondThirtyTwoBitsIsWrittenWhole) {
    model.Counts.PartCount = 2147483000;
    model.Counts.AssyCount = 1000;
    Export();
    EXPECT_EQ(Shown(Sheet("Summary-Totals"), 6, 2), "2147484000");
    EXPECT_EQ(options.statuses.back(), "Writing Macro to Excel");
}

// Excel busy for a while mid-export: once the export has gone through, the status says so, not
// that it is still waiting.
TEST_F(ExportTest, AWaitForABusyExcelIsNotTheLastWordOfAnExportThatWentThrough) {
    struct WaitingLauncher : standins::WorkbookLauncher {
        using WorkbookLauncher::WorkbookLauncher;
        std::function<void(std::chrono::seconds)> onWait;
        std::unique_ptr<BusyWait>
        WaitWhileBusy(std::chrono::seconds,
                      std::function<void(std::chrono::seconds)> wait) override {
            onWait = std::move(wait);
            return nullptr;
        }
    } waiting{excel, faults};
    // Every call turned away once, the last one too.
    faults->onCall = [&] { waiting.onWait(std::chrono::seconds(0)); };
    modExcel(model, state, options, waiting).ExportToExcel();
    EXPECT_NE(std::find(options.statuses.begin(), options.statuses.end(),
                        "Excel is busy (a cell being edited or a dialog open?); waiting for it: 0 "
                        "s of 20 s"),
              options.statuses.end());
    EXPECT_EQ(options.statuses.back(), "Writing Macro to Excel");
}

TEST_F(ExportTest, ACleanExportEndsWithItsOwnStatus) {
    Export();
    EXPECT_EQ(options.statuses.back(), "Writing Macro to Excel");
}

// A German Excel names its sheets "Tabelle1".. : the first still takes the Indented BOM.
TEST_F(ExportTest, AGermanExcelGivesTheSameSheetsAsAnEnglishOne) {
    options = OptionsView::AllTicked();
    Export();
    auto german = std::make_shared<standins::ExcelState>();
    german->sheetNamePrefix = "Tabelle";
    standins::WorkbookLauncher germanLauncher{german};
    OptionsView germanOptions = OptionsView::AllTicked();
    ExportState germanState;
    modExcel(model, germanState, germanOptions, germanLauncher).ExportToExcel();
    const workbook::Workbook& book = *german->workbooks.at(0);
    std::vector<std::string> tabs;
    for (const auto& sheet : book.sheets) {
        tabs.push_back(sheet->name);
    }
    EXPECT_EQ(tabs, (std::vector<std::string>{"Summary-Totals", "Summary BOM", "Indented BOM",
                                              "Tabelle2", "Tabelle3"}));
    for (const char* name : {"Summary-Totals", "Summary BOM", "Indented BOM"}) {
        const workbook::Sheet& english = Sheet(name);
        const workbook::Sheet& other = *book.FindSheet(name);
        EXPECT_EQ(other.grid.size(), english.grid.size()) << name;
        english.ForEachCell([&](std::int32_t row, std::int32_t column, const auto& cell) {
            EXPECT_EQ(other.Entry(row, column), cell.entry) << name << " " << row << "," << column;
        });
        EXPECT_EQ(germanLauncher.Aside().Shapes(other).shapes.size(), Shapes(name).size()) << name;
        EXPECT_EQ(other.hyperlinks.size(), english.hyperlinks.size()) << name;
    }
    EXPECT_EQ(germanOptions.statuses.back(), "Writing Macro to Excel");
}

// Excel refuses its macro project until the user trusts access to it: the sheets are all there,
// the user is told what to tick, and the failed step is counted.
TEST_F(ExportTest, MacroAccessRefusedExportsTheSheetsAndSaysWhatToTick) {
    options = OptionsView::AllTicked();
    Export();
    const std::string trusted = Json(Book());
    faults->refuseMacroProject = true;
    Export();
    ASSERT_EQ(options.messages.size(), 1u);
    EXPECT_NE(options.messages[0].find("Trust access to the VBA project object model"),
              std::string::npos);
    const auto modules = Modules(1);
    EXPECT_TRUE(std::none_of(modules.begin(), modules.end(),
                             [](const auto& module) { return module.name == "Partwright"; }));
    EXPECT_EQ(options.statuses.back(),
              "Exported, but 1 step failed; the first: Programmatic access to Visual Basic "
              "Project is not trusted");
    // The sheets are as with access trusted.
    const auto sheets = [](const std::string& json) {
        const auto from = json.find("\"sheets\"");
        return json.substr(from, json.find("\"modules\"") - from);
    };
    EXPECT_EQ(sheets(Json(Book(1))), sheets(trusted));
}

// The user opens a workbook of their own while the export runs, at any of its calls: their
// workbook is left as it was, and the export's workbook is as without them.
TEST_F(ExportTest, AUserWhoActivatesAnotherWorkbookMidExportFindsItUntouched) {
    options = OptionsView::AllTicked();
    Export();
    const std::string alone = Json(Book());
    const std::uint64_t calls = faults->calls;
    for (std::uint64_t at = 1; at < calls; at += 7) {
        auto clicked = std::make_shared<standins::ExcelState>();
        auto clickedFaults = std::make_shared<standins::ExcelFaults>();
        standins::UserOpensAWorkbookAtCall(*clicked, *clickedFaults, at);
        standins::WorkbookLauncher userLauncher{clicked, clickedFaults};
        OptionsView userOptions = OptionsView::AllTicked();
        ExportState userState;
        modExcel(model, userState, userOptions, userLauncher).ExportToExcel();
        ASSERT_EQ(clicked->workbooks.size(), 2u) << "user at call " << at;
        const auto* book = clicked->workbooks[0].get();
        const auto* theirs = clicked->workbooks[1].get();
        if (book->name == standins::kUserWorkbookName) {
            std::swap(book, theirs);
        }
        EXPECT_EQ(standins::WorkbookJson(*book, userLauncher.Aside()), alone)
            << "user at call " << at;
        auto user = clicked->NewWorkbook(standins::kUserWorkbookName);
        user->activeSheet = 1;
        EXPECT_EQ(standins::WorkbookJson(*theirs, userLauncher.Aside()),
                  standins::WorkbookJson(*user, userLauncher.Aside()))
            << "user at call " << at;
        EXPECT_EQ(userOptions.statuses.back(), "Writing Macro to Excel") << "user at call " << at;
    }
}

TEST_F(ExportTest, ExcelThatCannotBeReachedEndsTheExportAtOnce) {
    faults->unreachable = true;
    Export();
    EXPECT_EQ(options.statuses,
              (std::vector<std::string>{"Excel could not be reached; nothing was exported."}));
    EXPECT_TRUE(excel->workbooks.empty());
    EXPECT_FALSE(exporter.ExportToExcel().Complete()); // no success for what never happened
}

// An export that Excel left after the Summary BOM's header costs the next export nothing: its
// Indented BOM has its header, frozen above the rows.
TEST_F(ExportTest, AnExportExcelLeftMidwayLeavesTheNextExportWhole) {
    faults->onCall = [&] {
        const auto* summary =
            excel->workbooks.empty() ? nullptr : excel->workbooks.back()->FindSheet("Summary BOM");
        if (summary && summary->Entry(1, 1).text == "Quan") {
            faults->unreachable = true; // the user closed Excel
        }
    };
    EXPECT_TRUE(exporter.ExportToExcel().stopped);
    faults->onCall = nullptr;
    faults->unreachable = false;
    EXPECT_TRUE(exporter.ExportToExcel().Complete());
    // The stopped export had written its Indented BOM whole.
    const workbook::Sheet& whole = Sheet("Indented BOM", 0);
    const workbook::Sheet& next = Sheet("Indented BOM", 1);
    for (std::int32_t row = 1; row <= 3; ++row) {
        for (std::int32_t column = 1; column <= 16; ++column) {
            EXPECT_EQ(Shown(next, row, column), Shown(whole, row, column)) << row << "," << column;
        }
    }
    EXPECT_EQ(next.frozenAt, whole.frozenAt);
    EXPECT_TRUE(next.frozenAt);
}

TEST_F(ExportTest, ExcelThatStopsAnsweringMidwayDoesNotHangTheExport) {
    launcher.running = true;
    auto app = launcher.Attach();
    faults->unreachable = true; // attached, then every call fails
    struct Attached : ExcelLauncher {
        std::shared_ptr<Application> app;
        std::shared_ptr<Application> Attach() override { return app; }
        std::shared_ptr<Application> Start() override { return app; }
    } reached;
    reached.app = app;
    modExcel lost(model, state, options, reached);
    const auto callsBefore = faults->calls;
    lost.ExportToExcel();
    // The first refused call ends the export; nothing more is asked of the lost Excel, which
    // had not even a workbook made.
    EXPECT_EQ(options.statuses,
              (std::vector<std::string>{"Excel closed during the export; nothing was exported."}));
    EXPECT_EQ(faults->calls, callsBefore);
}

// An Excel started by automation cannot be attached to (Office enters it in the running-object
// table only once the user switches to it): the macros go into the export's own Excel, and no
// second Excel is started for them.
// Each option is read once per export, not once per row.
TEST_F(ExportTest, TheOptionsAreReadOncePerExport) {
    options = OptionsView::AllTicked();
    Export();
    EXPECT_EQ(options.optionReads, 3);
}

TEST_F(ExportTest, TheMacrosGoIntoTheExcelTheExportStarted) {
    Export();
    EXPECT_EQ(launcher.starts, 1);
    ASSERT_EQ(excel->workbooks.size(), 1u);
    const auto modules = Modules();
    EXPECT_TRUE(std::any_of(modules.begin(), modules.end(),
                            [](const auto& module) { return module.name == "Partwright"; }));
}

TEST(ExportWithoutLoad, GivesTheThreeSheetsWithHeadersAndNoRows) {
    model::BomModel model;
    auto excel = std::make_shared<standins::ExcelState>();
    standins::WorkbookLauncher launcher{excel};
    OptionsView options;
    ExportState state;
    modExcel(model, state, options, launcher).ExportToExcel();

    const auto& book = *excel->workbooks.at(0);
    const auto& indented = *book.FindSheet("Indented BOM");
    EXPECT_EQ(ExportFixture::Shown(indented, 1, 2), "Level");
    EXPECT_EQ(ExportFixture::Shown(indented, 1, 1), "Level1");
    EXPECT_EQ(ExportFixture::Shown(indented, 2, 2), "");
    EXPECT_EQ(ExportFixture::Shown(*book.FindSheet("Summary BOM"), 2, 1), "");
    const auto& totals = *book.FindSheet("Summary-Totals");
    EXPECT_EQ(ExportFixture::Shown(totals, 1, 1), "");
    EXPECT_EQ(ExportFixture::Shown(totals, 3, 2), "0");
    EXPECT_EQ(ExportFixture::Shown(totals, 4, 2), "1");
}

TEST(AddLevelCheckbox, BeyondColumnZTheLinkUsesExcelsColumnNames) {
    auto excel = std::make_shared<standins::ExcelState>();
    standins::WorkbookLauncher launcher{excel};
    auto sheet = standins::Session(*launcher.Start()->AddWorkbook()).ActiveSheet();
    const CheckboxPlace place = MeasureCheckboxPlace(*sheet, 7, 28);
    AddLevelCheckbox(*sheet, place, 7, 28, "P27");
    AddLevelCheckbox(*sheet, place, 8, 28, "A26");
    FinishLevelCheckboxes(*sheet);
    const auto& stored = *excel->workbooks[0]->sheets[0];
    const auto& shapes = launcher.Aside().Shapes(stored).shapes;
    EXPECT_EQ(shapes.at(0).linkedCell, "$AB$7");
    EXPECT_EQ(shapes.at(1).linkedCell, "$AB$8");
    EXPECT_EQ(shapes.at(1).onAction, "FindMe2");
    // Each box lies over its cell, though only the first cell was measured.
    EXPECT_EQ(shapes.at(1).top, stored.RowTop(8));
    EXPECT_EQ(shapes.at(1).left, stored.ColumnLeft(28));
    // What all boxes share is set once for all of them.
    for (const auto& box : shapes) {
        EXPECT_EQ(box.borderColor, 32768);
        EXPECT_EQ(box.interiorColor, 13434838);
        EXPECT_EQ(box.value, kCheckBoxOff);
    }
}

TEST(SplitPath, GivesAFolderEndingInABackslashAndTheName) {
    std::string folder = "stale";
    std::string name = "stale";
    SplitPath("C:\\Work\\Parts\\Shaft.ipt", folder, name);
    EXPECT_EQ(folder, "C:\\Work\\Parts\\");
    EXPECT_EQ(name, "Shaft.ipt");
    SplitPath("<Lost:1>", folder, name);
    EXPECT_EQ(folder, "");
    EXPECT_EQ(name, "<Lost:1>");
    SplitPath("", folder, name);
    EXPECT_EQ(folder + name, "");
    SplitPath("C:\\Work\\", folder, name);
    EXPECT_EQ(folder, "C:\\Work\\");
    EXPECT_EQ(name, "");
}

// A status is a number whichever type holds it; anything else is shown, not guessed at.
TEST(StatusText, AStatusIsReadAsANumberWhateverTypeHoldsIt) {
    EXPECT_EQ(StatusText(Value{2.0}), StatusText(Value{std::int32_t{2}}));
    EXPECT_EQ(StatusText(Value{std::int32_t{7}}), "NA-7");
    EXPECT_EQ(StatusText(Value{}), "NA-");
    EXPECT_EQ(StatusText(Value{"1"}), "NA-1");
}

} // namespace
} // namespace pw::excel
