// Excel's limits: what a cell and a sheet hold. The export fits within them and says what it cut.
#include "ExportFixture.h"
#include "shared/core/Utf16Units.h"

namespace pw::excel {
namespace {

const std::string kTracking = "Design Tracking Properties";

class ExcelLimitsTest : public ExportFixture {
protected:
    const std::string& FinalStatus() const { return options.statuses.back(); }
};

// A description longer than a cell holds would make Excel refuse the whole block of a thousand
// rows it travels in; cut to fit, the row and its neighbours arrive.
TEST_F(ExcelLimitsTest, ATextLongerThanACellHoldsIsCutAndTheBlockArrives) {
    const std::string top = "C:\\Work\\Frame.iam";
    const std::string plate = "C:\\Work\\Plate.ipt";
    const std::string bolt = "C:\\Work\\Bolt.ipt";
    inventor.AddAssembly(top);
    // 40,000 characters, the last 20,000 beyond the basic plane (two UTF-16 units each).
    const std::string longText = std::string(20000, 'x') + [] {
        std::string clefs;
        for (int i = 0; i < 20000; ++i) {
            clefs += "\xF0\x9D\x84\x9E"; // U+1D11E
        }
        return clefs;
    }();
    inventor.AddPart(plate).properties[{kTracking, 29}] = Value{longText};
    inventor.AddPart(bolt).properties[{kTracking, 29}] = Value{"M8 bolt"};
    inventor.AddOccurrence(top, "Plate:1", plate);
    inventor.AddOccurrence(top, "Bolt:1", bolt);
    Load(top);

    const ExportOutcome outcome = exporter.ExportToExcel();

    for (const char* name : {"Indented BOM", "Summary BOM"}) {
        const auto& sheet = Sheet(name);
        std::int32_t description = 1;
        while (Shown(sheet, 1, description) != "Description" && description < 30) {
            ++description;
        }
        const std::string plateText = Shown(sheet, 3, description);
        const std::string boltText = Shown(sheet, 4, description);
        // The mark that keeps a field text ("'") takes one unit, 20,000 go to "x", and 12,766
        // to 6,383 whole pairs: never half a character.
        EXPECT_EQ(Utf16Length(plateText), kCellCharacters - 1) << name;
        EXPECT_TRUE(longText.starts_with(plateText)) << name;
        EXPECT_EQ(boltText, "M8 bolt") << name;
    }
    // Kept to, not failed: the export is whole, and says where it was fitted.
    EXPECT_TRUE(outcome.Complete());
    EXPECT_EQ(outcome.fitted, 2); // once on each BOM sheet
    EXPECT_EQ(FinalStatus().rfind("Exported, fitted to Excel's limits in 2 places; the first: "
                                  "the text in row 3 of Indented BOM was longer than Excel's "
                                  "32,767 characters",
                                  0),
              0u)
        << FinalStatus();
}

// A sheet holds 65,530 hyperlinks. Every file name still arrives as text; the links past the
// limit are left out at once, not refused one by one, and the status says so.
TEST_F(ExcelLimitsTest, FileNamesPastTheSheetsHyperlinksKeepTheirTextAndTheStatusSaysSo) {
    const std::string top = "C:\\Work\\Hall.iam";
    const std::string frame = "C:\\Work\\Frame.iam";
    const std::string bolt = "C:\\Work\\Bolt.ipt";
    inventor.AddAssembly(top);
    inventor.AddAssembly(frame);
    inventor.AddPart(bolt);
    for (int use = 1; use <= 256; ++use) {
        inventor.AddOccurrence(frame, "Bolt:" + std::to_string(use), bolt);
        inventor.AddOccurrence(top, "Frame:" + std::to_string(use), frame);
    }
    Load(top);
    options.hyperlinks = 1;

    const ExportOutcome outcome = exporter.ExportToExcel();

    const auto& indented = Sheet("Indented BOM");
    const std::int32_t rows = 1 + 256 + 256 * 256;
    ASSERT_EQ(indented.hyperlinks.size(), kHyperlinksPerSheet);
    const std::int32_t names = indented.hyperlinks.front().column;
    EXPECT_EQ(Shown(indented, 3, names), "Frame.iam");
    EXPECT_EQ(Shown(indented, rows + 1, names), "Bolt.ipt");
    EXPECT_EQ(Sheet("Summary BOM").hyperlinks.size(), 3u);
    EXPECT_TRUE(outcome.Complete());
    EXPECT_EQ(outcome.fitted, 1);
    EXPECT_NE(FinalStatus().find("65,530 hyperlinks"), std::string::npos) << FinalStatus();
}

} // namespace
} // namespace pw::excel
