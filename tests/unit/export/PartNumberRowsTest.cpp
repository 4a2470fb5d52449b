// Summary BOM rows merged by part number, as Inventor's BOM merges rows.
#include "ExportFixture.h"
#include "partwright/excel/BomColumns.h"

namespace pw::excel {
namespace {

const std::string kTracking = "Design Tracking Properties";

// A bolt saved in two libraries under one part number, whose descriptions disagree; a plate
// without a part number used in two files; a missing file.
class PartNumberRowsTest : public ExportFixture {
protected:
    const std::string top = "C:\\W\\Frame.iam";
    void SetUp() override {
        inventor.AddAssembly(top).properties[{kTracking, 5}] = Value{"FR-1"};
        for (const auto& [path, description] :
             {std::pair{"C:\\Lib\\Bolt.ipt", "Bolt M8"}, {"D:\\Old\\Bolt.ipt", "Bolt M8x20"}}) {
            auto& bolt = inventor.AddPart(path);
            bolt.properties[{kTracking, 5}] = Value{"00451"};
            bolt.properties[{kTracking, 29}] = Value{description};
            bolt.properties[{kTracking, 20}] = Value{"Steel"};
        }
        inventor.AddPart("C:\\W\\Plate.ipt");
        inventor.AddPart("C:\\W\\Plate2.ipt");
        inventor.AddOccurrence(top, "Bolt:1", "C:\\Lib\\Bolt.ipt");
        inventor.AddOccurrence(top, "Plate:1", "C:\\W\\Plate.ipt");
        inventor.AddOccurrence(top, "Bolt:2", "D:\\Old\\Bolt.ipt");
        inventor.AddOccurrence(top, "Bolt:3", "D:\\Old\\Bolt.ipt");
        inventor.AddOccurrence(top, "Plate2:1", "C:\\W\\Plate2.ipt");
        inventor.AddOccurrence(top, "Lost:1", "C:\\W\\Lost.ipt");
        Load(top);
    }
    std::vector<std::string> SummaryRow(std::int32_t row) const {
        return RowTexts("Summary BOM", row, summary::kCount);
    }
};

TEST_F(PartNumberRowsTest, FilesOfOnePartNumberAreOneRowAndTheirDisagreementsVary) {
    WriteFile({.byPartNumber = true}, true);

    EXPECT_EQ(SummaryRow(3), (std::vector<std::string>{"3", "00451", "", "*Varies*", "", "", "",
                                                       "NA-", "Steel", "*Varies*", "2 files"}));
    const auto& summary = Sheet("Summary BOM");
    const auto link = std::find_if(summary.hyperlinks.begin(), summary.hyperlinks.end(),
                                   [](const auto& l) { return l.row == 3; });
    ASSERT_NE(link, summary.hyperlinks.end());
    EXPECT_EQ(link->address, "C:\\Lib\\Bolt.ipt");
    EXPECT_EQ(link->textToDisplay, "2 files");
    // Files without a part number, and the missing one, keep their own rows.
    EXPECT_EQ(SummaryRow(4).back(), "Plate.ipt");
    EXPECT_EQ(SummaryRow(5).back(), "Plate2.ipt");
    EXPECT_EQ(SummaryRow(6)[1], "<Lost:1>");
    EXPECT_EQ(SummaryRow(7)[0], "");
    // The top assembly is no use of itself: its quantity is blank, as without merging.
    EXPECT_EQ(SummaryRow(2)[0], "");
    EXPECT_EQ(SummaryRow(2)[1], "FR-1");
}

TEST_F(PartNumberRowsTest, WithoutMergingEachFileKeepsItsRow) {
    Export();
    EXPECT_EQ(SummaryRow(2)[0], "");
    EXPECT_EQ(SummaryRow(3)[0], "1");
    EXPECT_EQ(SummaryRow(3).back(), "Bolt.ipt");
    EXPECT_EQ(SummaryRow(5)[0], "2");
    EXPECT_EQ(SummaryRow(5)[3], "Bolt M8x20");
}

} // namespace
} // namespace pw::excel
