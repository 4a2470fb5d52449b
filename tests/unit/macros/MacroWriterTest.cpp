#include "partwright/macros/MacroTexts.h"
#include "partwright/macros/modWriteVBEtoExcel.h"
#include "shared/core/Failure.h"
#include "standins/workbook/WorkbookLauncher.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace pw::macros {
namespace {

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\r', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last carriage return";
    return lines;
}

TEST(MacroTexts, EveryLineEndsWithACarriageReturnAlone) {
    for (const std::string& text :
         {PreviewImageText(0), FindMe2Text(), AddPartToAssyText(), FillTMatrixText()}) {
        EXPECT_EQ(text.find('\n'), std::string::npos);
        EXPECT_EQ(text.substr(text.size() - 8), "End Sub\r");
        EXPECT_FALSE(LinesOf(text).empty());
    }
}

TEST(MacroTexts, PreviewImageReadsTheIndentedBomBehindItsLevelColumns) {
    const auto lines = LinesOf(PreviewImageText(3));
    EXPECT_EQ(lines[2], "Set obj = CreateObject(\"Peekpane.ivImagePreview\")");
    EXPECT_EQ(lines[9], "    FN = Cells(rownum, 10).Value & Cells(rownum, 11).Value");
    EXPECT_EQ(lines[10], "     obj.ShowPreviewImage FN");
    EXPECT_EQ(lines[12], "    FN = Cells(rownum, 14).Value & Cells(rownum, 15).Value");
    EXPECT_EQ(lines[13], "    obj.ShowPreviewImage FN");
    EXPECT_EQ(lines[15], "    MsgBox \"You must be in a summary or indented Bom\"");
    EXPECT_EQ(LinesOf(PreviewImageText(0))[12],
              "    FN = Cells(rownum, 11).Value & Cells(rownum, 12).Value");
    EXPECT_THROW(PreviewImageText(32760), OverflowError);
}

TEST(MacroTexts, TheBuilderProceduresAreWordForWord) {
    const auto find = LinesOf(FindMe2Text());
    EXPECT_EQ(find[1],
              "Dim Level As String, oShape As Shape, oShapes As Shapes, i As Long, OnOff As Long");
    EXPECT_EQ(find[9], "    If (Mid(.AlternativeText, 2) = Level) Or .FormControlType <> "
                       "xlCheckBox Then Exit Sub");
    const auto build = LinesOf(AddPartToAssyText());
    EXPECT_EQ(build[12], "FN = oApp.Preferences.Item(1).Templatedir + \"Standard.iam\"");
    EXPECT_EQ(build[13], "oApp.Documents.Add &H3003, FN, True");
    EXPECT_EQ(
        build[17],
        "        If cbX.ControlFormat.Value = 1 And (Left(cbX.AlternativeText, 1) = \"P\") Then");
    EXPECT_EQ(build[20], "        xCol = aSheet.Range(cbX.ControlFormat.LinkedCell).Column + 12");
    EXPECT_EQ(build[21], "        FN = Cells(xRow, xCol - 2) + Cells(xRow, xCol - 1).Value");
    const auto fill = LinesOf(FillTMatrixText());
    EXPECT_EQ(fill[1], "Dim mpos As Integer, nStr As String, nStart As Integer, nStop As Integer, "
                       "i As Integer, dblAr(15) As Double");
    EXPECT_EQ(fill[7], "    mpos = InStr(nStart, sVals, \",\", vbTextCompare)");
    // Val reads "0.5" and "1E-05" alike in every locale; CDbl would read the user's decimal
    // comma and place parts wrongly in a German or French Excel.
    EXPECT_EQ(fill[10], "    dblAr(i) = Val(nStr)");
    EXPECT_EQ(fill[14], "oMtx.putmatrixdata dblAr");
}

class WriteMacrosTest : public testing::Test {
protected:
    std::shared_ptr<workbook::ExcelState> excel = std::make_shared<workbook::ExcelState>();
    standins::WorkbookLauncher launcher{excel};

    void SetUp() override {
        launcher.running = true;
        launcher.Attach()->AddWorkbook();
    }
    std::vector<standins::MacroModule> Modules(std::size_t book = 0) {
        return launcher.Aside().ModulesOf(*excel->workbooks.at(book));
    }
};

TEST_F(WriteMacrosTest, WithoutTheBuilderOnlyPreviewImageIsWritten) {
    WriteMacros(launcher, 0, 2);
    const auto module = Modules().back();
    EXPECT_EQ(module.name, "Partwright");
    EXPECT_EQ(module.type, 1);
    EXPECT_EQ(module.addedTexts, std::vector<std::string>{PreviewImageText(2)});
    EXPECT_TRUE(excel->visible);
}

TEST_F(WriteMacrosTest, WithTheBuilderFourTextsAreHandedOverInOrder) {
    WriteMacros(launcher, 1, 0);
    EXPECT_EQ(Modules().back().addedTexts,
              (std::vector<std::string>{PreviewImageText(0), FindMe2Text(), AddPartToAssyText(),
                                        FillTMatrixText()}));
    launcher.Attach()->AddWorkbook();
    WriteMacros(launcher, 2, 0); // greyed is not ticked
    EXPECT_EQ(Modules(1).back().addedTexts.size(), 1u);
}

TEST_F(WriteMacrosTest, ASecondRunStopsAtTheNameAndLeavesAnEmptyModule) {
    WriteMacros(launcher, 0, 0);
    try {
        WriteMacros(launcher, 0, 0);
        FAIL() << "a second module named Partwright was accepted";
    } catch (const Failure& failure) {
        EXPECT_EQ(static_cast<std::uint32_t>(failure.code()), 0x800A802Du);
    }
    const auto modules = Modules();
    EXPECT_EQ(modules.back().name, "Module1"); // the default name freed by the first renaming
    EXPECT_TRUE(modules.back().addedTexts.empty());
    EXPECT_EQ(std::count_if(modules.begin(), modules.end(),
                            [](const auto& m) { return m.name == "Partwright"; }),
              1);
}

TEST_F(WriteMacrosTest, RefusedMacroProjectOrNoWorkbookIsRaisedAndAddsNothing) {
    launcher.Faults().refuseMacroProject = true;
    EXPECT_THROW(WriteMacros(launcher, 1, 0), Failure);
    launcher.Faults().refuseMacroProject = false;
    const std::size_t before = Modules().size();
    excel->activeWorkbook.reset();
    try {
        WriteMacros(launcher, 1, 0);
        FAIL() << "no workbook, yet no failure";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "Object variable or With block variable not set");
    }
    EXPECT_EQ(Modules().size(), before);
}

TEST_F(WriteMacrosTest, NoExcelAtAllIsRaised) {
    launcher.Faults().unreachable = true;
    EXPECT_THROW(WriteMacros(launcher, 0, 0), Failure);
}

} // namespace
} // namespace pw::macros
