#include "partwright/workbook/WorkbookModel.h"
#include "shared/core/Failure.h"
#include "standins/workbook/SessionApi.h"
#include "standins/workbook/WorkbookLauncher.h"

#include <gtest/gtest.h>

namespace pw::standins {
namespace {

// The stand-in's Excel: the workbook model with buttons, check boxes and VBA projects beside it,
// and the faults entered once per member.
class StandinExcelTest : public testing::Test {
protected:
    std::shared_ptr<standins::ExcelState> excel = std::make_shared<standins::ExcelState>();
    std::shared_ptr<ExcelFaults> faults = std::make_shared<ExcelFaults>();
    WorkbookLauncher launcher{excel, faults};
    std::shared_ptr<excel::Application> app = launcher.Start();
    SessionApplication& session = Session(*app);

    const std::vector<StoredShape>& Shapes() {
        return launcher.Aside().Shapes(*excel->workbooks[0]->sheets[0]).shapes;
    }
};

TEST_F(StandinExcelTest, ShapesKeepDrawingOrderAndCheckBoxesCountApart) {
    auto sheet = Session(*app->AddWorkbook()).ActiveSheet();
    Session(*sheet->AddButton(0, 0, 100, 14)).Select();
    session.SelectedShape()->SetCaption("Preview Image");
    EXPECT_THROW(session.SelectedRange(), Failure);
    sheet->AddCheckBox(1, 2, 3, 4);
    sheet->AddCheckBox(5, 6, 7, 8);
    EXPECT_EQ(Session(*sheet).CheckBoxCount(), 2);
    Session(*sheet).CheckBox(2)->SetText("P2");
    EXPECT_THROW(Session(*sheet).CheckBox(3), Failure);
    EXPECT_THROW(session.SelectedShape()->SetText("not a check box"), Failure);
    const auto& shapes = Shapes();
    EXPECT_EQ(shapes[0].name, "Button 1");
    EXPECT_EQ(shapes[0].text, "Preview Image");
    EXPECT_EQ(shapes[2].name, "Check Box 3");
    EXPECT_EQ(shapes[2].text, "P2");
}

TEST_F(StandinExcelTest, NewModulesTakeDefaultNamesAndRefuseADuplicateName) {
    auto project = app->AddWorkbook()->VBProject();
    auto first = project->AddComponent(1);
    EXPECT_EQ(Session(*first).Name(), "Module1");
    first->SetName("Partwright");
    auto second = project->AddComponent(1);
    EXPECT_EQ(Session(*second).Name(), "Module1");
    EXPECT_THROW(second->SetName("PARTWRIGHT"), Failure);
    EXPECT_EQ(Session(*project).ComponentCount(), 6); // ThisWorkbook, three sheets, two modules
}

// A check box and its linked cell are one value: the box writes TRUE or FALSE into the cell, and
// what is typed into the cell sets the box (TRUE on, FALSE off, anything else mixed).
TEST_F(StandinExcelTest, ACheckBoxAndItsLinkedCellAreOneValue) {
    auto sheet = Session(*app->AddWorkbook()).ActiveSheet();
    sheet->Cells(2, 4)->SetValue(std::int32_t{3});
    auto box = sheet->AddCheckBox(0, 0, 10, 10);
    auto twin = sheet->AddCheckBox(0, 0, 10, 10);
    twin->SetLinkedCell("D2");
    box->SetLinkedCell("$D$2");
    const auto value = [&](std::size_t shape) { return Shapes()[shape].value; };
    EXPECT_EQ(value(0), 2); // a number: mixed
    box->SetValue(1);
    EXPECT_EQ(sheet->Cells(2, 4)->Value(), Value{true});
    EXPECT_EQ(value(1), 1); // the twin follows the cell
    sheet->AllCheckBoxes()->SetValue(-4146);
    EXPECT_EQ(sheet->Cells(2, 4)->Value(), Value{false});
    sheet->Cells(2, 4)->SetValue(std::string("TRUE"));
    EXPECT_EQ(value(0), 1);
    EXPECT_EQ(value(1), 1);
    sheet->Block(1, 1, 2, 4)->SetValues(excel::CellBlock(2, 4)); // an empty value clears it
    EXPECT_EQ(value(0), -4146);
    sheet->Cells(2, 4)->SetValue(std::string("text"));
    EXPECT_EQ(value(0), 2);
    box->SetLinkedCell("E9");
    sheet->Cells(2, 4)->SetValue(std::string("FALSE"));
    EXPECT_EQ(value(0), -4146); // E9 is empty
    EXPECT_EQ(value(1), -4146);
    EXPECT_THROW(box->SetLinkedCell("not a cell"), Failure);
}

TEST_F(StandinExcelTest, FailureModesFailAsExcelWould) {
    EXPECT_THROW(app->ActiveWorkbook(), Failure);
    EXPECT_EQ(faults->calls, 1u);
    auto book = app->AddWorkbook();
    faults->refuseMacroProject = true;
    EXPECT_THROW(book->VBProject(), Failure);
    EXPECT_EQ(faults->calls, 3u); // a refused call is a call
    faults->unreachable = true;
    EXPECT_THROW(app->SetVisible(true), Failure);
    EXPECT_THROW(Session(*book).ActiveSheet(), Failure);
    EXPECT_EQ(faults->calls, 3u);
}

} // namespace
} // namespace pw::standins
