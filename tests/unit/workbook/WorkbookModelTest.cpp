#include "partwright/workbook/CellEntry.h"
#include "partwright/workbook/WorkbookApplication.h"

#include <gtest/gtest.h>

namespace pw::workbook {
namespace {

TEST(ReadEntry, ReadsTypedTextAsExcelDoes) {
    EXPECT_EQ(ReadEntry("", 2026).kind, CellKind::Empty);
    EXPECT_EQ(ReadEntry("Steel", 2026), (CellEntry{CellKind::Text, "Steel"}));
    EXPECT_EQ(ReadEntry("00123", 2026), (CellEntry{CellKind::Number, {}, 123}));
    EXPECT_EQ(ReadEntry(" -1,234.5 ", 2026), (CellEntry{CellKind::Number, {}, -1234.5}));
    EXPECT_EQ(ReadEntry("1e3", 2026), (CellEntry{CellKind::Number, {}, 1000}));
    EXPECT_EQ(ReadEntry("50%", 2026), (CellEntry{CellKind::Number, {}, 0.5}));
    EXPECT_EQ(ReadEntry("$12", 2026), (CellEntry{CellKind::Number, {}, 12}));
    EXPECT_EQ(ReadEntry("(7)", 2026), (CellEntry{CellKind::Number, {}, -7}));
    EXPECT_EQ(ReadEntry("true", 2026), (CellEntry{CellKind::Boolean, {}, 0, true}));
    EXPECT_EQ(ReadEntry("=A1*2", 2026), (CellEntry{CellKind::Formula, "=A1*2"}));
    EXPECT_EQ(ReadEntry("1,23", 2026).kind, CellKind::Text);
    EXPECT_EQ(ReadEntry("GB-100", 2026).kind, CellKind::Text);
    EXPECT_EQ(ReadEntry("1,0,0,0.5", 2026).kind, CellKind::Text);
}

TEST(ReadEntry, ReadsMonthDayTextAsADate) {
    EXPECT_EQ(ReadEntry("1-2", 2026), (CellEntry{CellKind::Date, {}, 46024})); // 2 Jan 2026
    EXPECT_EQ(ReadEntry("2/29/2024", 2026), (CellEntry{CellKind::Date, {}, 45351}));
    EXPECT_EQ(ReadEntry("2024-01-02", 2026).kind, CellKind::Date);
    EXPECT_EQ(ReadEntry("2/29/2023", 2026).kind, CellKind::Text);
    EXPECT_EQ(ReadEntry("13-2", 2026).kind, CellKind::Text);
    EXPECT_EQ(ReadEntry("1-2-3", 2026), (CellEntry{CellKind::Date, {}, 37623})); // 2 Jan 2003
    EXPECT_EQ(ReadEntry("1/2/3", 2026).kind, CellKind::Date);
}

// What Excel also converts when it opens a CSV file: these once went into CSV files unprotected.
TEST(ReadEntry, ReadsTimesFractionsNamedMonthsAndErrorsAsExcelDoes) {
    EXPECT_EQ(ReadEntry("12:30", 2026), (CellEntry{CellKind::Date, {}, 0.5208333333333334}));
    EXPECT_EQ(ReadEntry("10:30 AM", 2026), (CellEntry{CellKind::Date, {}, 0.4375}));
    EXPECT_EQ(ReadEntry("12:15 am", 2026), (CellEntry{CellKind::Date, {}, 0.010416666666666666}));
    EXPECT_EQ(ReadEntry("1:30pm", 2026), (CellEntry{CellKind::Date, {}, 0.5625}));
    EXPECT_EQ(ReadEntry("3:04:05", 2026).kind, CellKind::Date);
    EXPECT_EQ(ReadEntry("25:00", 2026), (CellEntry{CellKind::Date, {}, 25.0 / 24}));
    EXPECT_EQ(ReadEntry("1/2/2024 12:00", 2026), (CellEntry{CellKind::Date, {}, 45293.5}));
    EXPECT_EQ(ReadEntry("1 1/2", 2026), (CellEntry{CellKind::Number, {}, 1.5}));
    EXPECT_EQ(ReadEntry("-2 3/4", 2026), (CellEntry{CellKind::Number, {}, -2.75}));
    EXPECT_EQ(ReadEntry("5-", 2026), (CellEntry{CellKind::Number, {}, -5}));
    EXPECT_EQ(ReadEntry("5 %", 2026), (CellEntry{CellKind::Number, {}, 0.05}));
    EXPECT_EQ(ReadEntry("Mar 5", 2026), (CellEntry{CellKind::Date, {}, 46086})); // 5 Mar 2026
    EXPECT_EQ(ReadEntry("5-Mar", 2026), (CellEntry{CellKind::Date, {}, 46086}));
    EXPECT_EQ(ReadEntry("Jan-24", 2026).kind, CellKind::Date);
    EXPECT_EQ(ReadEntry("Jan-45", 2026), (CellEntry{CellKind::Date, {}, 16438})); // 1 Jan 1945
    EXPECT_EQ(ReadEntry("March 2024", 2026), (CellEntry{CellKind::Date, {}, 45352}));
    EXPECT_EQ(ReadEntry("Mar 5, 2024", 2026), (CellEntry{CellKind::Date, {}, 45356}));
    EXPECT_EQ(ReadEntry("#N/A", 2026), (CellEntry{CellKind::Error, "#N/A"}));
    EXPECT_EQ(ReadEntry("#div/0!", 2026), (CellEntry{CellKind::Error, "#DIV/0!"}));
    // Texts that only look alike stay text.
    for (const char* text : {"Mar", "March madness", "12:3x", "1:60", "13:00 PM", "1 1/0", "M8x30",
                             "Jan 5 Feb", "#N/A!", "5--", "Mai 5", "A4 1/2"}) {
        EXPECT_EQ(ReadEntry(text, 2026).kind, CellKind::Text) << text;
    }
}

TEST(ReadEntry, AnApostropheKeepsTheRestAsText) {
    EXPECT_EQ(ReadEntry("'00123", 2026), (CellEntry{CellKind::Text, "00123"}));
    EXPECT_EQ(ReadEntry("'=x", 2026), (CellEntry{CellKind::Text, "=x"}));
    EXPECT_EQ(ReadEntry("''quoted", 2026), (CellEntry{CellKind::Text, "'quoted"}));
}

class WorkbookModelTest : public testing::Test {
protected:
    std::shared_ptr<ExcelState> excel = std::make_shared<ExcelState>();
    std::shared_ptr<excel::Application> app = MakeWorkbookApplication(excel);
};

TEST_F(WorkbookModelTest, ANewWorkbookHasThreeSheetsAndTheFirstIsActive) {
    auto book = app->AddWorkbook();
    EXPECT_EQ(book->ActiveSheet()->Name(), "Sheet1");
    EXPECT_EQ(excel->workbooks[0]->sheets.size(), 3u);
    EXPECT_THROW(book->SelectSheet("Summary BOM"), Failure);
    book->SelectSheet("SHEET3");
    EXPECT_EQ(app->ActiveWorkbook()->ActiveSheet()->Name(), "Sheet3");
}

TEST_F(WorkbookModelTest, AnAddedSheetGoesInFrontOfTheActiveOneAndIsActive) {
    auto book = app->AddWorkbook();
    book->SelectSheet("Sheet2");
    EXPECT_EQ(book->AddWorksheet()->Name(), "Sheet4");
    EXPECT_EQ(book->ActiveSheet()->Name(), "Sheet4");
    std::vector<std::string> tabs;
    for (const auto& sheet : excel->workbooks[0]->sheets) {
        tabs.push_back(sheet->name);
    }
    EXPECT_EQ(tabs, (std::vector<std::string>{"Sheet1", "Sheet4", "Sheet2", "Sheet3"}));
    EXPECT_THROW(book->ActiveSheet()->SetName("sheet1"), Failure);
    EXPECT_THROW(book->ActiveSheet()->SetName("a/b"), Failure);
}

// A block takes its values as if each were typed into its cell; an empty value leaves a blank
// cell blank, and a block of the wrong size is refused as Excel refuses it.
TEST_F(WorkbookModelTest, ABlockTakesItsValuesAsTypedCellByCell) {
    auto sheet = app->AddWorkbook()->ActiveSheet();
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

TEST_F(WorkbookModelTest, TheLastCellIsRowOneOnAnEmptySheet) {
    auto sheet = app->AddWorkbook()->ActiveSheet();
    app->SelectedRange()->SpecialCells(11)->Select();
    EXPECT_EQ(app->ActiveCell()->Row(), 1);
    sheet->Cells(7, 3)->SetValue(std::string("x"));
    sheet->Cells(2, 9)->SetValue(1.5);
    app->SelectedRange()->SpecialCells(11)->Select();
    EXPECT_EQ(app->ActiveCell()->Row(), 7);
    sheet->Cells(7, 3)->SetValue(excel::CellValue{});
    EXPECT_EQ(sheet->Cells(7, 3)->Value(), excel::CellValue{});
}

TEST_F(WorkbookModelTest, ValuesReadBackAsExcelHoldsThem) {
    auto sheet = app->AddWorkbook()->ActiveSheet();
    sheet->Cells(1, 1)->SetValue(std::int32_t{5});
    sheet->Cells(1, 2)->SetValue(std::string("'00123"));
    sheet->Cells(1, 3)->SetValue(true);
    EXPECT_EQ(sheet->Cells(1, 1)->Value(), excel::CellValue{5.0});
    EXPECT_EQ(sheet->Cells(1, 2)->Value(), excel::CellValue{"00123"});
    EXPECT_EQ(sheet->Cells(1, 3)->Value(), excel::CellValue{true});
    EXPECT_THROW(sheet->Cells(0, 1), Failure);
}

// An .xlsx holds neither buttons nor code: the batch export asks for none, and would be told.
TEST_F(WorkbookModelTest, AWorkbookForAFileHoldsNoShapesOrMacros) {
    auto book = app->AddWorkbook();
    auto sheet = book->ActiveSheet();
    EXPECT_THROW(sheet->AddButton(0, 0, 100, 14), Failure);
    EXPECT_THROW(sheet->AddCheckBox(0, 0, 10, 10), Failure);
    EXPECT_EQ(sheet->CheckBoxCount(), 0);
    EXPECT_THROW(book->VBProject(), Failure);
    EXPECT_THROW(app->SelectedShape(), Failure);
}

// Excel selects only on what the user sees, and a user may activate any workbook at any time.
TEST_F(WorkbookModelTest, SelectingNeedsTheActiveSheetOfTheActiveWorkbook) {
    auto first = app->AddWorkbook();
    auto second = app->AddWorkbook();
    auto sheet = first->Sheet(2);
    EXPECT_THROW(sheet->Cells(1, 1)->Select(), Failure);
    sheet->Activate(); // and its workbook with it
    sheet->Cells(3, 2)->Select();
    EXPECT_EQ(app->ActiveCell()->Row(), 3);
    EXPECT_EQ(app->ActiveWorkbook()->ActiveSheet()->Name(), "Sheet2");
    EXPECT_THROW(first->Sheet(4), Failure);
    (void)second;
}

} // namespace
} // namespace pw::workbook
