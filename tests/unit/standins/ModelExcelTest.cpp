// Excel's automation interface over the workbook model, which the stand-in Excel wraps.
#include "standins/workbook/SessionApi.h"
#include "standins/workbook/WorkbookApplication.h"

#include <gtest/gtest.h>

namespace pw::standins {
namespace {

using workbook::Sheet;

class ModelExcelTest : public testing::Test {
protected:
    std::shared_ptr<ExcelState> excel = std::make_shared<ExcelState>();
    std::shared_ptr<excel::Application> app = MakeWorkbookApplication(excel);
};

TEST_F(ModelExcelTest, ANewWorkbookHasThreeSheetsAndTheFirstIsActive) {
    auto book = app->AddWorkbook();
    EXPECT_EQ(Session(*Session(*book).ActiveSheet()).Name(), "Sheet1");
    EXPECT_EQ(excel->workbooks[0]->sheets.size(), 3u);
    EXPECT_THROW(Session(*book).SelectSheet("Summary BOM"), Failure);
    Session(*book).SelectSheet("SHEET3");
    EXPECT_EQ(Session(*Session(*app->ActiveWorkbook()).ActiveSheet()).Name(), "Sheet3");
}

TEST_F(ModelExcelTest, AnAddedSheetGoesInFrontOfTheActiveOneAndIsActive) {
    auto book = app->AddWorkbook();
    Session(*book).SelectSheet("Sheet2");
    EXPECT_EQ(Session(*book->AddWorksheet()).Name(), "Sheet4");
    EXPECT_EQ(Session(*Session(*book).ActiveSheet()).Name(), "Sheet4");
    std::vector<std::string> tabs;
    for (const auto& sheet : excel->workbooks[0]->sheets) {
        tabs.push_back(sheet->name);
    }
    EXPECT_EQ(tabs, (std::vector<std::string>{"Sheet1", "Sheet4", "Sheet2", "Sheet3"}));
    EXPECT_THROW(Session(*book).ActiveSheet()->SetName("sheet1"), Failure);
    EXPECT_THROW(Session(*book).ActiveSheet()->SetName("a/b"), Failure);
}

// A block takes its values as if each were typed into its cell; an empty value leaves a blank
// cell blank, and a block of the wrong size is refused as Excel refuses it.
TEST_F(ModelExcelTest, ABlockTakesItsValuesAsTypedCellByCell) {
    auto sheet = Session(*app->AddWorkbook()).ActiveSheet();
    sheet->Cells(3, 3)->SetValue(std::string("old"));
    excel::CellBlock values(2, 3);
    values.At(0, 0) = std::string("'00123");
    values.At(0, 1) = std::string("00123");
    values.At(0, 2) = std::int32_t{7};
    values.At(1, 1) = std::string("1-2");
    // (1, 0) stays empty; (1, 2) clears what was there.
    sheet->Block(2, 1, 3, 3)->SetValues(values);
    EXPECT_EQ(sheet->Cells(2, 1)->Value(), excel::CellValue{std::string("00123")});
    EXPECT_EQ(sheet->Cells(2, 2)->Value(), excel::CellValue{123.0});
    EXPECT_EQ(sheet->Cells(2, 3)->Value(), excel::CellValue{7.0});
    EXPECT_EQ(sheet->Cells(3, 2)->Value(), excel::CellValue{46024.0}); // a date
    EXPECT_EQ(sheet->Cells(3, 3)->Value(), excel::CellValue{});
    EXPECT_EQ(sheet->Cells(3, 1)->Value(), excel::CellValue{});
    EXPECT_THROW(sheet->Block(2, 1, 3, 4)->SetValues(values), Failure);
    EXPECT_THROW(sheet->Block(3, 1, 2, 3), Failure);
    EXPECT_THROW(sheet->Cells(1, 1)->SetValues(values), Failure);
}

TEST_F(ModelExcelTest, TheLastCellIsRowOneOnAnEmptySheet) {
    auto sheet = Session(*app->AddWorkbook()).ActiveSheet();
    Session(*app).SelectedRange()->SpecialCells(11)->Select();
    EXPECT_EQ(Session(*app).ActiveCell()->Row(), 1);
    sheet->Cells(7, 3)->SetValue(std::string("x"));
    sheet->Cells(2, 9)->SetValue(1.5);
    Session(*app).SelectedRange()->SpecialCells(11)->Select();
    EXPECT_EQ(Session(*app).ActiveCell()->Row(), 7);
    sheet->Cells(7, 3)->SetValue(excel::CellValue{});
    EXPECT_EQ(sheet->Cells(7, 3)->Value(), excel::CellValue{});
}

TEST_F(ModelExcelTest, ValuesReadBackAsExcelHoldsThem) {
    auto sheet = Session(*app->AddWorkbook()).ActiveSheet();
    sheet->Cells(1, 1)->SetValue(std::int32_t{5});
    sheet->Cells(1, 2)->SetValue(std::string("'00123"));
    sheet->Cells(1, 3)->SetValue(true);
    EXPECT_EQ(sheet->Cells(1, 1)->Value(), excel::CellValue{5.0});
    EXPECT_EQ(sheet->Cells(1, 2)->Value(), excel::CellValue{"00123"});
    EXPECT_EQ(sheet->Cells(1, 3)->Value(), excel::CellValue{true});
    EXPECT_THROW(sheet->Cells(0, 1), Failure);
}

// Buttons and code are kept beside the cells by the stand-in that wraps this one.
TEST_F(ModelExcelTest, TheCellsAloneHoldNoShapesOrMacros) {
    auto book = app->AddWorkbook();
    auto sheet = Session(*book).ActiveSheet();
    EXPECT_THROW(sheet->AddButton(0, 0, 100, 14), Failure);
    EXPECT_THROW(sheet->AddCheckBox(0, 0, 10, 10), Failure);
    EXPECT_EQ(Session(*sheet).CheckBoxCount(), 0);
    EXPECT_THROW(book->VBProject(), Failure);
    EXPECT_THROW(Session(*app).SelectedShape(), Failure);
}

// Excel selects only on what the user sees, and a user may activate any workbook at any time.
TEST_F(ModelExcelTest, SelectingNeedsTheActiveSheetOfTheActiveWorkbook) {
    auto first = app->AddWorkbook();
    auto second = app->AddWorkbook();
    auto sheet = first->Sheet(2);
    EXPECT_THROW(sheet->Cells(1, 1)->Select(), Failure);
    sheet->Activate(); // and its workbook with it
    sheet->Cells(3, 2)->Select();
    EXPECT_EQ(Session(*app).ActiveCell()->Row(), 3);
    EXPECT_EQ(Session(*Session(*app->ActiveWorkbook()).ActiveSheet()).Name(), "Sheet2");
    EXPECT_THROW(first->Sheet(4), Failure);
    (void)second;
}

} // namespace
} // namespace pw::standins
