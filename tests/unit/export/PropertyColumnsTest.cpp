// Further iProperties as columns of their own, at the end of each BOM sheet.
#include "ExportFixture.h"
#include "partwright/batch/ParentChildWorkbook.h"
#include "partwright/workbook/SheetCsv.h"

namespace pw::excel {
namespace {

const std::string kUser = "Inventor User Defined Properties";
const std::string kTracking = "Design Tracking Properties";

// A frame of two bolts from two libraries (one part number, two suppliers) and a plate that has
// no supplier; a virtual grease with one.
class PropertyColumnsTest : public ExportFixture {
protected:
    const std::string top = "C:\\W\\Frame.iam";
    void SetUp() override {
        inventor.AddAssembly(top).namedProperties[{kUser, "Supplier"}] = Value{"Own shop"};
        for (const auto& [path, supplier] :
             {std::pair{"C:\\Lib\\Bolt.ipt", "Würth"}, {"D:\\Old\\Bolt.ipt", "Bossard"}}) {
            auto& bolt = inventor.AddPart(path);
            bolt.properties[{kTracking, 5}] = Value{"00451"};
            bolt.properties[{kTracking, 34}] = Value{"Zinc"};
            bolt.namedProperties[{kUser, "Supplier"}] = Value{supplier};
            bolt.namedProperties[{kUser, "ERP"}] = Value{"0042"};
        }
        inventor.AddPart("C:\\W\\Plate.ipt");
        inventor.AddOccurrence(top, "Bolt:1", "C:\\Lib\\Bolt.ipt");
        inventor.AddOccurrence(top, "Plate:1", "C:\\W\\Plate.ipt");
        inventor.AddOccurrence(top, "Bolt:2", "D:\\Old\\Bolt.ipt");
        inventor.AddVirtual(top, "Grease:1", "Grease").namedProperties[{kUser, "Supplier"}] =
            Value{"Klüber"};
        model.ExtraProperties = {*model::ParsePropertyRequest(kUser + ":Supplier"),
                                 *model::ParsePropertyRequest(kUser + ":ERP"),
                                 *model::ParsePropertyRequest(kTracking + ":34")};
        Load(top);
    }
    // The three cells of a row from the column headed "Supplier" on, which must be the last.
    std::vector<std::string> Extras(const std::string& sheet, std::int32_t row) const {
        const auto& cells = Sheet(sheet);
        std::int32_t first = 1;
        while (Shown(cells, 1, first) != "Supplier" && first < 40) {
            ++first;
        }
        EXPECT_EQ(Shown(cells, 1, first + 3), "") << "the properties are not the last columns";
        return {Shown(cells, row, first), Shown(cells, row, first + 1),
                Shown(cells, row, first + 2)};
    }
};

TEST_F(PropertyColumnsTest, EachPropertyIsAColumnHeadedByItsNameAtTheEndOfBothSheets) {
    Export();
    for (const char* sheet : {"Indented BOM", "Summary BOM"}) {
        SCOPED_TRACE(sheet);
        EXPECT_EQ(Extras(sheet, 1), (std::vector<std::string>{"Supplier", "ERP", "34"}));
        EXPECT_EQ(Extras(sheet, 2), (std::vector<std::string>{"Own shop", "", ""}));
        // "0042" stays the text it is; an id reads the standard property.
        EXPECT_EQ(Extras(sheet, 3), (std::vector<std::string>{"Würth", "0042", "Zinc"}));
        EXPECT_EQ(Extras(sheet, 4), (std::vector<std::string>{"", "", ""}));
        EXPECT_EQ(Extras(sheet, 5), (std::vector<std::string>{"Bossard", "0042", "Zinc"}));
        EXPECT_EQ(Extras(sheet, 6), (std::vector<std::string>{"Klüber", "", ""}));
    }
}

TEST_F(PropertyColumnsTest, MergedRowsShowWhereTheFilesDisagree) {
    WriteFile({.byPartNumber = true}, false);
    EXPECT_EQ(Extras("Summary BOM", 3), (std::vector<std::string>{"*Varies*", "0042", "Zinc"}));
}

TEST_F(PropertyColumnsTest, TheParentChildSheetEndsWithTheComponentsProperties) {
    const auto book = batch::ParentChildWorkbook(model, model::Counting::Walk);
    const std::string csv = workbook::SheetCsv(*book->sheets.front());
    EXPECT_NE(csv.find(",Level,Supplier,ERP,\"=\"\"34\"\"\"\r\n"), std::string::npos) << csv;
    // The bolt outside the frame's folder is named by its whole path.
    EXPECT_NE(csv.find(",C:\\Lib\\Bolt.ipt,1,,,1,Würth,\"=\"\"0042\"\"\",Zinc\r\n"),
              std::string::npos)
        << csv;
}

} // namespace
} // namespace pw::excel
