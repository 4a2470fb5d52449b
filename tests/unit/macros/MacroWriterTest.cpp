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

// The texts themselves are held word for word by the golden workbooks; what matters beyond them
// is that the builder reads each placement in every locale: Val reads "0.5" and "1E-05" alike,
// where CDbl would take the user's decimal comma and place parts wrongly in a German Excel.
TEST(MacroTexts, TheBuilderReadsPlacementsTheSameInEveryLocale) {
    const std::string fill = FillTMatrixText();
    EXPECT_NE(fill.find("dblAr(i) = Val(nStr)"), std::string::npos);
    EXPECT_EQ(fill.find("CDbl("), std::string::npos);
}

class WriteMacrosTest : public testing::Test {
protected:
    std::shared_ptr<standins::ExcelState> excel = std::make_shared<standins::ExcelState>();
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
