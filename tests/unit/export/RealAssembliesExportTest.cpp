// The Conveyor sample (a virtual grease used twice, a suppressed guard, a reference skeleton, a
// phantom roller set used twice, a purchased motor, a spare roller overridden to reference) in
// the window's Excel export and in partwright-export's workbook with and without --bom-rules.
#include "ExportFixture.h"
#include "partwright/batch/BomWorkbook.h"
#include "partwright/excel/BomColumns.h"
#include "partwright/model/BomRules.h"
#include "standins/inventor/StandinFiles.h"
#include "standins/inventor/StandinInventor.h"

namespace pw::excel {
namespace {

const std::string kSamples = standins::WindowsPathOf(PARTWRIGHT_SAMPLES_DIR);
const std::string kConveyor = kSamples + "\\Conveyor\\";

class ConveyorExportTest : public testing::Test {
protected:
    standins::StandinInventor servers = standins::StandinInventor::OverFiles(kSamples);
    fakes::RecordingView view;
    model::BomModel model;
    model::QuantityListing listing;

    void SetUp() override {
        view.fileNameText = kConveyor + "Conveyor.iam";
        model::AssemblyLoader(model, listing, view, servers).LoadAssembly();
        ASSERT_EQ(model.FileData.Count(), 16);
    }
    // A column of a sheet, from row 2 down to its last row.
    static std::vector<std::string> Column(const workbook::Sheet& sheet, std::int32_t column) {
        std::vector<std::string> texts;
        for (std::int32_t row = 2; row <= static_cast<std::int32_t>(sheet.grid.size()); ++row) {
            texts.push_back(ExportFixture::Shown(sheet, row, column));
        }
        return texts;
    }
    static std::vector<std::string> Totals(const workbook::Sheet& sheet) {
        std::vector<std::string> numbers;
        for (std::int32_t row = 2; row <= 7; ++row) {
            numbers.push_back(ExportFixture::Shown(sheet, row, 2));
        }
        return numbers;
    }
};

TEST_F(ConveyorExportTest, TheWindowsCountingKeepsEveryUseButTheSuppressedOne) {
    EXPECT_EQ(view.results,
              (std::vector<std::string>{"Max Indent\t3", "Referenced Files\t8", "Assemblies\t4",
                                        "Parts Count\t11", "Total\t15", "Missing\t0"}));
    EXPECT_EQ(view.tree.Node(15).text, "Guard:1");
    EXPECT_EQ(view.tree.Node(15).color, model::kSuppressedColor);
    // Paths as the stand-in reports them: the top as typed, the others resolved.
    const std::string top = model.FileData.Item(1)->FileName;
    EXPECT_EQ(view.list1.at(2), "(2)\tGrease (virtual, in " + top + ")");
    const std::string roller = "\\Conveyor\\Roller.ipt";
    EXPECT_EQ(view.list1.at(4).substr(0, 4), "(5)\t");
    EXPECT_EQ(view.list1.at(4).substr(view.list1.at(4).size() - roller.size()), roller);

    auto excel = std::make_shared<standins::ExcelState>();
    standins::WorkbookLauncher launcher(excel);
    fakes::OptionsView options;
    options.indented = 0;
    options.builder = 1;
    options.hyperlinks = 1;
    ExportState state;
    modExcel(model, state, options, launcher).ExportToExcel();
    const workbook::Workbook& book = *excel->workbooks.at(0);

    const auto& indentedSheet = *book.FindSheet("Indented BOM");
    using namespace indented;
    EXPECT_EQ(Column(indentedSheet, kPartnumber),
              (std::vector<std::string>{"CV-200", "CV-201", "CV-SK", "GR-01", "GR-01", "CV-210",
                                        "CV-211", "CV-211", "CV-210", "CV-211", "CV-211",
                                        "M-0.75KW", "M-ROT", "M-HSG", "CV-211"}));
    // The grease rows: no folder, no file, no link, no assembly fill, a check box that "Build
    // Assembly" passes over.
    EXPECT_EQ(ExportFixture::Shown(indentedSheet, 5, kPath), "");
    EXPECT_EQ(ExportFixture::Shown(indentedSheet, 5, kFilename), "");
    EXPECT_EQ(indentedSheet.hyperlinkOfCell.count(workbook::Sheet::Key(5, kFilename)), 0u);
    EXPECT_EQ(indentedSheet.hyperlinkOfCell.count(workbook::Sheet::Key(4, kFilename)), 1u);
    EXPECT_TRUE(indentedSheet.rows.count(5) == 0 ||
                !indentedSheet.rows.at(5).format.interiorColorIndex);
    std::vector<std::string> boxes;
    const standins::SheetShapes& shapes = launcher.Aside().Shapes(indentedSheet);
    for (const std::size_t place : shapes.checkBoxes) {
        boxes.push_back(shapes.shapes[place].text);
    }
    EXPECT_EQ(boxes, (std::vector<std::string>{"A1", "P2", "P2", "V2", "V2", "A2", "P3", "P3", "A2",
                                               "P3", "P3", "A2", "P3", "P3", "P2"}));

    const auto& summarySheet = *book.FindSheet("Summary BOM");
    EXPECT_EQ(Column(summarySheet, summary::kQuantity),
              (std::vector<std::string>{"", "1", "1", "2", "2", "5", "1", "1", "1"}));
    EXPECT_EQ(ExportFixture::Shown(summarySheet, 5, summary::kDescription), "Bearing grease, 50 g");
    EXPECT_EQ(ExportFixture::Shown(summarySheet, 5, summary::kFilename), "");
    EXPECT_EQ(Totals(*book.FindSheet("Summary-Totals")),
              (std::vector<std::string>{"3", "8", "4", "11", "15", "0"}));
}

TEST_F(ConveyorExportTest, InventorsRulesGiveInventorsCountsAndABomStructureColumn) {
    model::BomModel ruled = model::ApplyBomRules(model);
    const auto book = batch::BomWorkbook(ruled, {.bomStructure = true, .quantities = true}, false);

    const auto& indentedSheet = *book->FindSheet("Indented BOM");
    EXPECT_EQ(ExportFixture::Shown(indentedSheet, 1, indented::kBomStructure), "BOM Structure");
    EXPECT_EQ(Column(indentedSheet, indented::kPartnumber),
              (std::vector<std::string>{"CV-200", "CV-201", "GR-01", "GR-01", "CV-211", "CV-211",
                                        "CV-211", "CV-211", "M-0.75KW", "M-ROT", "M-HSG"}));
    EXPECT_EQ(Column(indentedSheet, indented::kLevel),
              (std::vector<std::string>{"1", "2", "2", "2", "2", "2", "2", "2", "2", "3", "3"}));
    EXPECT_EQ(Column(indentedSheet, indented::kBomStructure),
              (std::vector<std::string>{"Normal", "Normal", "Normal", "Normal", "Normal", "Normal",
                                        "Normal", "Normal", "Purchased", "Normal", "Normal"}));

    const auto& summarySheet = *book->FindSheet("Summary BOM");
    EXPECT_EQ(ExportFixture::Shown(summarySheet, 1, summary::kBomStructure), "BOM Structure");
    EXPECT_EQ(Column(summarySheet, summary::kPartnumber),
              (std::vector<std::string>{"CV-200", "CV-201", "GR-01", "CV-211", "M-0.75KW"}));
    EXPECT_EQ(Column(summarySheet, summary::kQuantity),
              (std::vector<std::string>{"", "1", "2", "4", "1"}));
    EXPECT_EQ(Column(summarySheet, summary::kBomStructure),
              (std::vector<std::string>{"Normal", "Normal", "Normal", "Normal", "Purchased"}));
    EXPECT_EQ(Totals(*book->FindSheet("Summary-Totals")),
              (std::vector<std::string>{"3", "4", "2", "7", "9", "0"}));
}

// 200 bolts in a frame used 200 times.
TEST(FortyThousandBolts, AreFortyThousandInTheSummaryAndTheTotals) {
    standins::StandinInventor inventor;
    inventor.AddAssembly("C:\\Steel\\Hall.iam", "Hall");
    inventor.AddAssembly("C:\\Steel\\Frame.iam");
    inventor.AddPart("C:\\Steel\\Bolt.ipt");
    for (int bolt = 1; bolt <= 200; ++bolt) {
        inventor.AddOccurrence("C:\\Steel\\Frame.iam", "Bolt:" + std::to_string(bolt),
                               "C:\\Steel\\Bolt.ipt");
        inventor.AddOccurrence("C:\\Steel\\Hall.iam", "Frame:" + std::to_string(bolt),
                               "C:\\Steel\\Frame.iam");
    }
    fakes::RecordingView view;
    view.fileNameText = "C:\\Steel\\Hall.iam";
    model::BomModel model;
    model::QuantityListing listing;
    model::AssemblyLoader(model, listing, view, inventor).LoadAssembly();

    const auto book = batch::BomWorkbook(model, {.quantities = true}, false);
    const auto& summarySheet = *book->FindSheet("Summary BOM");
    EXPECT_EQ(ExportFixture::Shown(summarySheet, 3, summary::kQuantity), "200");
    EXPECT_EQ(ExportFixture::Shown(summarySheet, 4, summary::kQuantity), "40000");
    EXPECT_EQ(ExportFixture::Shown(summarySheet, 4, summary::kFilename), "Bolt.ipt");
    EXPECT_EQ(book->FindSheet("Indented BOM")->grid.size(), 1u + 1 + 200 + 40000);
    const auto& totals = *book->FindSheet("Summary-Totals");
    EXPECT_EQ(ExportFixture::Shown(totals, 5, 2), "40000");
    EXPECT_EQ(ExportFixture::Shown(totals, 6, 2), "40201");
}

} // namespace
} // namespace pw::excel
