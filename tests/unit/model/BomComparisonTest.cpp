// Two revisions of an assembly compared by their Summary BOMs.
#include "partwright/model/BomComparison.h"

#include "partwright/batch/ComparisonWorkbook.h"
#include "partwright/model/AssemblyLoader.h"
#include "partwright/workbook/SheetCsv.h"
#include "standins/inventor/StandinInventor.h"
#include "tests/fakes/RecordingView.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pw::model {
namespace {

const std::string kTracking = "Design Tracking Properties";
const std::string kTop = "C:\\W\\Top.iam";

// One revision: a stand-in Inventor of its own, loaded into a model of its own.
struct Revision {
    standins::StandinInventor inventor;
    BomModel model;

    Revision() { inventor.AddAssembly(kTop); }
    standins::StandinDocument& Part(const std::string& path, const char* partNumber,
                                    const char* description = "") {
        auto& part = inventor.AddPart(path);
        if (*partNumber) {
            part.properties[{kTracking, 5}] = Value{partNumber};
        }
        part.properties[{kTracking, 29}] = Value{description};
        return part;
    }
    // Occurrences named as Inventor names them: "Bolt:3".
    void Use(const std::string& owner, const std::string& file, int times = 1) {
        const std::string name =
            file.substr(file.rfind('\\') + 1, file.rfind('.') - file.rfind('\\') - 1);
        for (int i = 0; i < times; ++i) {
            inventor.AddOccurrence(owner, name + ":" + std::to_string(++uses), file);
        }
    }
    BomModel& Loaded() {
        fakes::RecordingView view;
        QuantityListing listing;
        AssemblyLoader loader(model, listing, view, inventor);
        view.fileNameText = kTop;
        loader.LoadAssembly();
        return model;
    }
    int uses = 0;
};

// Each change as "WHAT KEY: OLD -> NEW (DIFFERENCE)".
std::vector<std::string> Texts(const std::vector<BomChange>& changes) {
    std::vector<std::string> texts;
    for (const BomChange& change : changes) {
        texts.push_back(
            change.what + " " + change.key + ": " + ValueText(change.oldValue) + " -> " +
            ValueText(change.newValue) +
            (change.difference ? " (" + std::to_string(*change.difference) + ")" : std::string()));
    }
    return texts;
}

// The old revision: Frame x2 (Bolt x4 each, Plate), a Shaft, a Gasket whose file is missing.
void OldRevision(Revision& old) {
    old.inventor.AddAssembly("C:\\W\\Frame.iam").properties[{kTracking, 5}] = Value{"FR"};
    old.Part("C:\\W\\Bolt.ipt", "B8", "Bolt M8");
    old.Part("C:\\W\\Plate.ipt", "PL", "Plate 10");
    old.Part("C:\\W\\Shaft.ipt", "SH", "Shaft");
    old.Part("C:\\W\\Washer.ipt", "");
    old.Use(kTop, "C:\\W\\Frame.iam", 2);
    old.Use("C:\\W\\Frame.iam", "C:\\W\\Bolt.ipt", 4);
    old.Use("C:\\W\\Frame.iam", "C:\\W\\Plate.ipt");
    old.Use("C:\\W\\Frame.iam", "C:\\W\\Washer.ipt");
    old.Use(kTop, "C:\\W\\Shaft.ipt");
    old.Use(kTop, "C:\\W\\Gasket.ipt");
}

TEST(BomComparison, IdenticalRevisionsHaveNoDifferences) {
    Revision old;
    Revision now;
    OldRevision(old);
    OldRevision(now);
    const auto changes = CompareBoms(old.Loaded(), now.Loaded(), {});
    EXPECT_TRUE(changes.empty()) << testing::PrintToString(Texts(changes));
    EXPECT_EQ(ChangeSummary(changes), "0 added, 0 removed, 0 quantities, 0 fields changed");

    const auto book = batch::ComparisonWorkbook(old.model, now.model, changes);
    ASSERT_EQ(book->sheets.size(), 2u);
    EXPECT_EQ(book->sheets[0]->name, "Changes");
    EXPECT_EQ(book->sheets[1]->name, "Totals");
    EXPECT_EQ(workbook::SheetCsv(*book->sheets[0]),
              "\xEF\xBB\xBF"
              "Change,Key,Old,New,Difference,Description,Material,File\r\n"
              "No differences,,,,,,,\r\n");
}

// The new revision: Frame x3 (quantities through its use count: 12 bolts, 3 plates), the Shaft's
// file renamed with its part number kept, the Plate's description changed, a Pin added, the
// Washer removed, and the missing Gasket found, with a part number.
TEST(BomComparison, EachKindOfDifferenceIsOneRowSortedByKindThenKey) {
    Revision old;
    OldRevision(old);
    Revision now;
    now.inventor.AddAssembly("C:\\W\\Frame.iam").properties[{kTracking, 5}] = Value{"FR"};
    now.Part("C:\\W\\Bolt.ipt", "B8", "Bolt M8");
    now.Part("C:\\W\\Plate.ipt", "PL", "Plate 12");
    now.Part("C:\\W\\Shaft-2.ipt", "SH", "Shaft");
    now.Part("C:\\W\\Pin.ipt", "PN", "Pin");
    now.Part("C:\\W\\Gasket.ipt", "GK", "Gasket");
    now.Use(kTop, "C:\\W\\Frame.iam", 3);
    now.Use("C:\\W\\Frame.iam", "C:\\W\\Bolt.ipt", 4);
    now.Use("C:\\W\\Frame.iam", "C:\\W\\Plate.ipt");
    now.Use(kTop, "C:\\W\\Shaft-2.ipt");
    now.Use(kTop, "C:\\W\\Pin.ipt", 2);
    now.Use(kTop, "C:\\W\\Gasket.ipt");

    const auto changes = CompareBoms(old.Loaded(), now.Loaded(), {});
    EXPECT_EQ(Texts(changes), (std::vector<std::string>{
                                  "Added GK:  -> 1 (1)",
                                  "Added PN:  -> 2 (2)",
                                  "Removed <Gasket>: 1 ->  (-1)",
                                  "Removed Washer.ipt: 2 ->  (-2)",
                                  "Quantity B8: 8 -> 12 (4)",
                                  "Quantity FR: 2 -> 3 (1)",
                                  "Quantity PL: 2 -> 3 (1)",
                                  "Description PL: Plate 10 -> Plate 12",
                                  "Filename SH: Shaft.ipt -> Shaft-2.ipt",
                              }));
    EXPECT_EQ(ChangeSummary(changes), "2 added, 2 removed, 3 quantities, 2 fields changed");
}

// A part moved into another sub-assembly with the same total is no difference; two files of one
// part number are said to be ambiguous unless merged.
TEST(BomComparison, SameTotalsElsewhereAreEqualAndTwoFilesOfOneKeyAreSaidNotGuessed) {
    Revision old;
    old.inventor.AddAssembly("C:\\W\\A.iam");
    old.inventor.AddAssembly("C:\\W\\B.iam");
    old.Part("C:\\W\\Bolt.ipt", "B8");
    old.Use(kTop, "C:\\W\\A.iam");
    old.Use(kTop, "C:\\W\\B.iam");
    old.Use("C:\\W\\A.iam", "C:\\W\\Bolt.ipt", 3);
    Revision now;
    now.inventor.AddAssembly("C:\\W\\A.iam");
    now.inventor.AddAssembly("C:\\W\\B.iam");
    now.Part("C:\\W\\Bolt.ipt", "B8");
    now.Part("C:\\Lib\\Bolt.ipt", "B8");
    now.Use(kTop, "C:\\W\\A.iam");
    now.Use(kTop, "C:\\W\\B.iam");
    now.Use("C:\\W\\B.iam", "C:\\W\\Bolt.ipt", 2);
    now.Use("C:\\W\\B.iam", "C:\\Lib\\Bolt.ipt");

    old.Loaded();
    now.Loaded();
    EXPECT_EQ(Texts(CompareBoms(old.model, now.model, {})),
              (std::vector<std::string>{"Ambiguous B8: 1 file -> 2 files"}));
    EXPECT_TRUE(CompareBoms(old.model, now.model, {.mergePartNumbers = true}).empty());
}

// One rule for a part number everywhere: as typed, as Inventor's BOM merges them. A file without
// one is known by its path below the top assembly's folder, not by its bare name.
TEST(BomComparison, PartNumbersAreKeyedAsTypedAndFilesByTheirPath) {
    const auto revision = [](Revision& r, int lowerCaseUses, int secondBracketUses) {
        r.Part("C:\\W\\Upper.ipt", "B-10");
        r.Part("C:\\W\\Lower.ipt", "b-10");
        r.Part("C:\\W\\A\\Bracket.ipt", "");
        r.Part("C:\\W\\B\\Bracket.ipt", "");
        r.Use(kTop, "C:\\W\\Upper.ipt", 2);
        r.Use(kTop, "C:\\W\\Lower.ipt", lowerCaseUses);
        r.Use(kTop, "C:\\W\\A\\Bracket.ipt", 1);
        r.Use(kTop, "C:\\W\\B\\Bracket.ipt", secondBracketUses);
    };
    Revision old;
    revision(old, 3, 2);
    Revision now;
    revision(now, 4, 3);
    old.Loaded();
    now.Loaded();
    const std::vector<std::string> expected = {"Quantity b-10: 3 -> 4 (1)",
                                               "Quantity B\\Bracket.ipt: 2 -> 3 (1)"};
    EXPECT_EQ(Texts(CompareBoms(old.model, now.model, {})), expected);
    EXPECT_EQ(Texts(CompareBoms(old.model, now.model, {.mergePartNumbers = true})), expected);
}

// What the sheet shows is the user's: a missing file once, by its name; a virtual component by
// its name, without a file to differ in; a BOM structure by Inventor's name for it.
TEST(BomComparison, RowsAreShownByWhatTheUserKnowsThemBy) {
    const std::string sub = "C:\\W\\Sub.iam";
    const auto revision = [&](Revision& r, const std::string& top, int subUses,
                              std::int32_t shaftStructure) {
        r.inventor.AddAssembly(top);
        r.inventor.AddAssembly(sub);
        r.Part("C:\\W\\Shaft.ipt", "SH").bomStructure = shaftStructure;
        r.Use(top, sub, subUses);
        r.inventor.AddOccurrence(sub, "Pin:3", "C:\\W\\Pin.ipt"); // missing
        r.inventor.AddOccurrence(sub, "Pin:4", "C:\\W\\Pin.ipt");
        r.inventor.AddVirtual(top, "Paint:1", "Paint");
        r.inventor.AddVirtual(top, "Grease:1", "Grease").properties[{kTracking, 5}] = Value{"GR-1"};
        r.Use(top, "C:\\W\\Shaft.ipt");
    };
    Revision old;
    revision(old, "C:\\W\\Pump rev A.iam", 1, inventor::kNormalBOMStructure);
    Revision now;
    revision(now, "C:\\W\\Pump rev B.iam", 2, inventor::kPurchasedBOMStructure);
    const auto load = [](Revision& r, const std::string& top) {
        fakes::RecordingView view;
        QuantityListing listing;
        AssemblyLoader loader(r.model, listing, view, r.inventor);
        view.fileNameText = top;
        loader.LoadAssembly();
    };
    load(old, "C:\\W\\Pump rev A.iam");
    load(now, "C:\\W\\Pump rev B.iam");
    EXPECT_EQ(
        Texts(CompareBoms(old.model, now.model, {.bomStructure = true})),
        (std::vector<std::string>{"Quantity <Pin>: 2 -> 4 (2)", "Quantity Sub.iam: 1 -> 2 (1)",
                                  "BOM Structure SH: Normal -> Purchased"}));
}

// A tube cut longer changes what is bought though its count stays; a tube that becomes counted
// in items is a change too, and parts counted in items alike make no total row.
TEST(BomComparisonTest, ATotalInItsBaseUnitIsComparedWhereOneExists) {
    const auto revision = [](Revision& r, double longCm, const char* longText, bool shortByLength) {
        r.Part("C:\\W\\Tube.ipt", "T1").bomQuantity = {inventor::kParameterBOMQuantity, longCm,
                                                       "mm", longText};
        auto& shortTube = r.Part("C:\\W\\Short.ipt", "T2");
        if (shortByLength) {
            shortTube.bomQuantity = {inventor::kParameterBOMQuantity, 50.0, "mm", "500.000 mm"};
        }
        r.Part("C:\\W\\Bolt.ipt", "B8");
        r.Use(kTop, "C:\\W\\Tube.ipt", 4);
        r.Use(kTop, "C:\\W\\Short.ipt", 2);
        r.Use(kTop, "C:\\W\\Bolt.ipt", 8);
    };
    Revision old;
    revision(old, 125.0, "1250.000 mm", true);
    Revision now;
    revision(now, 130.0, "1300.000 mm", false);
    EXPECT_EQ(Texts(CompareBoms(old.Loaded(), now.Loaded(), {})),
              (std::vector<std::string>{"Total QTY T1: 5000 mm -> 5200 mm",
                                        "Total QTY T2: 1000 mm -> 2 each"}));
}

} // namespace
} // namespace pw::model
