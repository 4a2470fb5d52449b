// The parent–child bill of materials: quantities per one parent that multiply, down each path,
// to the totals the Summary BOM shows.
#include "partwright/batch/ParentChildWorkbook.h"
#include "partwright/model/AssemblyLoader.h"
#include "partwright/model/BomRules.h"
#include "partwright/model/PartNumberKey.h"
#include "partwright/workbook/SheetCsv.h"
#include "standins/inventor/StandinInventor.h"
#include "tests/fakes/RecordingView.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace pw::model {
namespace {

const std::string kTracking = "Design Tracking Properties";

class ParentChildTest : public testing::Test {
protected:
    standins::StandinInventor inventor;
    fakes::RecordingView view;
    BomModel model;
    QuantityListing listing;

    void Load(const std::string& path) {
        AssemblyLoader loader(model, listing, view, inventor);
        view.fileNameText = path;
        loader.LoadAssembly();
    }

    // Each line as "PARENT > COMPONENT xQUANTITY @LEVEL", by file name.
    static std::vector<std::string> Texts(const std::vector<ParentChildLine>& lines) {
        std::vector<std::string> texts;
        for (const ParentChildLine& line : lines) {
            texts.push_back(NameOf(*line.parent) + " > " + NameOf(*line.component) + " x" +
                            std::to_string(line.quantity) + " @" + std::to_string(line.level));
        }
        return texts;
    }
    static std::string NameOf(const clsFileData& record) {
        return record.FileName.substr(record.FileName.rfind('\\') + 1);
    }

    // The total of each item multiplied down every path from the top, as an importer computes
    // it from the lines' keys.
    static std::map<std::string, std::int64_t> ItemTotals(const std::vector<ParentChildLine>& lines,
                                                          const std::string& topKey) {
        std::map<std::string, std::int64_t> totals;
        const std::function<std::int64_t(const std::string&)> total =
            [&](const std::string& item) -> std::int64_t {
            if (item == topKey) {
                return 1;
            }
            if (const auto known = totals.find(item); known != totals.end()) {
                return known->second;
            }
            std::int64_t sum = 0;
            for (const ParentChildLine& line : lines) {
                if (line.componentKey == item) {
                    sum += total(line.parentKey) * line.quantity;
                }
            }
            totals[item] = sum;
            return sum;
        };
        for (const ParentChildLine& line : lines) {
            total(line.componentKey);
        }
        return totals;
    }

    // The lines' totals against the counted model's unique entries (the Summary BOM), grouped by
    // part number (PartNumberKey), so that it holds however the lines merge or split items; and
    // no line is its own parent.
    void ExpectTotalsOfTheSummary(const BomModel& counted,
                                  const std::vector<ParentChildLine>& lines,
                                  const std::string& top) {
        std::map<std::string, const clsFileData*> recordOf;
        for (const auto& record : counted.FileData) {
            recordOf.emplace(record->FileName, record.get());
        }
        std::map<std::string, std::int64_t> expected;
        for (const auto& entry : counted.Dupes) {
            if (entry->FileName != top) {
                expected[PartNumberKey(*recordOf.at(entry->FileName))] +=
                    std::abs(std::int64_t{entry->Quantity});
            }
        }
        const std::string topKey = lines.empty() ? std::string() : lines.front().parentKey;
        const auto totals = ItemTotals(lines, topKey);
        std::map<std::string, std::int64_t> actual;
        for (const ParentChildLine& line : lines) {
            EXPECT_NE(line.parentKey, line.componentKey) << line.parentKey;
        }
        std::map<std::string, const clsFileData*> itemRecord;
        for (const ParentChildLine& line : lines) {
            itemRecord.emplace(line.componentKey, line.component);
        }
        for (const auto& [item, total] : totals) {
            actual[PartNumberKey(*itemRecord.at(item))] += total;
        }
        EXPECT_EQ(actual, expected);
    }
};

// T: Shaft, Housing x2, Frame, a missing Lost. Housing: Bolt x2 and a Frame, so Frame is used at
// two levels and Bolt under two parents. Frame: Bolt and Plate.
TEST_F(ParentChildTest, OneLinePerPairWithTheQuantityInOneParent) {
    const std::string top = "C:\\W\\T.iam";
    const std::string housing = "C:\\W\\Housing.iam";
    const std::string frame = "C:\\W\\Frame.iam";
    const std::string bolt = "C:\\W\\Bolt.ipt";
    inventor.AddAssembly(top);
    inventor.AddAssembly(housing);
    inventor.AddAssembly(frame);
    inventor.AddPart(bolt);
    inventor.AddPart("C:\\W\\Shaft.ipt");
    inventor.AddPart("C:\\W\\Plate.ipt");
    inventor.AddOccurrence(top, "Shaft:1", "C:\\W\\Shaft.ipt");
    inventor.AddOccurrence(top, "Housing:1", housing);
    inventor.AddOccurrence(top, "Housing:2", housing);
    inventor.AddOccurrence(top, "Frame:1", frame);
    inventor.AddOccurrence(top, "Lost:1", "C:\\W\\Lost.ipt");
    inventor.AddOccurrence(housing, "Bolt:1", bolt);
    inventor.AddOccurrence(housing, "Bolt:2", bolt);
    inventor.AddOccurrence(housing, "Frame:1", frame);
    inventor.AddOccurrence(frame, "Bolt:1", bolt);
    inventor.AddOccurrence(frame, "Plate:1", "C:\\W\\Plate.ipt");
    Load(top);

    const auto lines = ParentChildLines(model, Counting::Walk);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{
                                "T.iam > Shaft.ipt x1 @1", "T.iam > Housing.iam x2 @1",
                                "Housing.iam > Bolt.ipt x2 @2", "Housing.iam > Frame.iam x1 @2",
                                "Frame.iam > Bolt.ipt x1 @3", "Frame.iam > Plate.ipt x1 @3",
                                "T.iam > Frame.iam x1 @1", "T.iam > <Lost:1> x1 @1"}));
    ExpectTotalsOfTheSummary(model, lines, top);
}

// Counted by Inventor's BOM rules: a phantom's components belong to its parent, a reference
// component is left out, and a purchased assembly is one line without its components.
TEST_F(ParentChildTest, BomRulesDecideWhichUsesAreLines) {
    const std::string top = "C:\\W\\T.iam";
    const std::string phantom = "C:\\W\\Kit.iam";
    const std::string bought = "C:\\W\\Motor.iam";
    inventor.AddAssembly(top);
    inventor.AddAssembly(phantom).bomStructure = inventor::kPhantomBOMStructure;
    inventor.AddAssembly(bought).bomStructure = inventor::kPurchasedBOMStructure;
    inventor.AddPart("C:\\W\\Bolt.ipt");
    inventor.AddPart("C:\\W\\Rotor.ipt");
    inventor.AddPart("C:\\W\\Sketch.ipt").bomStructure = inventor::kReferenceBOMStructure;
    inventor.AddOccurrence(top, "Kit:1", phantom);
    inventor.AddOccurrence(top, "Kit:2", phantom);
    inventor.AddOccurrence(top, "Motor:1", bought);
    inventor.AddOccurrence(top, "Sketch:1", "C:\\W\\Sketch.ipt");
    inventor.AddOccurrence(phantom, "Bolt:1", "C:\\W\\Bolt.ipt");
    inventor.AddOccurrence(phantom, "Bolt:2", "C:\\W\\Bolt.ipt");
    inventor.AddOccurrence(bought, "Rotor:1", "C:\\W\\Rotor.ipt");
    Load(top);
    const BomModel ruled = ApplyBomRules(model);

    const auto lines = ParentChildLines(ruled, Counting::BomRules);
    EXPECT_EQ(Texts(lines),
              (std::vector<std::string>{"T.iam > Bolt.ipt x4 @1", "T.iam > Motor.iam x1 @1"}));
    ExpectTotalsOfTheSummary(ruled, lines, top);
}

// Random assemblies of more than 20,000 occurrences: sub-assemblies used at several levels and
// under several parents, parts shared between them, missing files among them.
TEST_F(ParentChildTest, QuantitiesMultipliedDownEachPathGiveTheSummaryTotals) {
    std::mt19937 random(20261207);
    const std::string top = "C:\\G\\Top.iam";
    inventor.AddAssembly(top);
    std::vector<std::string> parts;
    for (int i = 0; i < 60; ++i) {
        parts.push_back("C:\\G\\P" + std::to_string(i) + ".ipt");
        inventor.AddPart(parts.back());
    }
    // Assembly k uses only assemblies of higher numbers, so there are no cycles.
    constexpr int kAssemblies = 12;
    const auto assembly = [](int k) { return "C:\\G\\A" + std::to_string(k) + ".iam"; };
    for (int k = 0; k < kAssemblies; ++k) {
        inventor.AddAssembly(assembly(k));
    }
    int uses = 0;
    for (int k = kAssemblies - 1; k >= -1; --k) {
        const std::string owner = k < 0 ? top : assembly(k);
        const int partUses = 3 + static_cast<int>(random() % 6);
        for (int u = 0; u < partUses; ++u) {
            const bool lost = random() % 40 == 0;
            const std::string use = std::to_string(++uses);
            inventor.AddOccurrence(owner, "U" + use,
                                   lost ? "C:\\G\\Lost" + use + ".ipt"
                                        : parts[random() % parts.size()]);
        }
        for (int child = k + 1; child < kAssemblies; ++child) {
            const int times = static_cast<int>(random() % 3);
            for (int t = 0; t < times; ++t) {
                inventor.AddOccurrence(owner, "S" + std::to_string(++uses), assembly(child));
            }
        }
    }
    Load(top);
    ASSERT_GE(model.FileData.Count(), 20000);

    const auto lines = ParentChildLines(model, Counting::Walk);
    ExpectTotalsOfTheSummary(model, lines, top);
}

// Counted by the BOM rules, a sub-assembly used once purchased (or inseparable) and once normal
// is two items, the closed one without components, in either order of the uses: multiplied down
// each path, the lines give the Summary BOM's 3 parts, not 6 or 0.
TEST_F(ParentChildTest, UsesOfOneFileThatCountDifferentlyAreItemsOfTheirOwn) {
    for (const bool closedFirst : {true, false}) {
        SCOPED_TRACE(closedFirst ? "purchased use first" : "normal use first");
        standins::StandinInventor rules;
        const std::string top = "C:\\W\\T.iam";
        const std::string sub = "C:\\W\\S.iam";
        rules.AddAssembly(top);
        rules.AddAssembly(sub);
        rules.AddPart("C:\\W\\P.ipt");
        rules.AddOccurrence(top, "S:1", sub).bomStructure =
            closedFirst ? inventor::kPurchasedBOMStructure : inventor::kDefaultBOMStructure;
        rules.AddOccurrence(top, "S:2", sub).bomStructure =
            closedFirst ? inventor::kDefaultBOMStructure : inventor::kInseparableBOMStructure;
        for (int i = 1; i <= 3; ++i) {
            rules.AddOccurrence(sub, "P:" + std::to_string(i), "C:\\W\\P.ipt");
        }
        BomModel loaded;
        AssemblyLoader loader(loaded, listing, view, rules);
        view.fileNameText = top;
        loader.LoadAssembly();
        const BomModel ruled = ApplyBomRules(loaded);

        const auto lines = ParentChildLines(ruled, Counting::BomRules);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const ParentChildLine& line) { return line.componentClosed; }),
                  1);
        ExpectTotalsOfTheSummary(ruled, lines, top);
        ExpectTotalsOfTheSummary(ruled, MergedByPartNumber(lines), top);
        // On the sheet, the closed use is an item of its own name.
        const auto book = batch::ParentChildWorkbook(ruled, Counting::BomRules);
        const std::string csv =
            workbook::SheetCsv(*book->sheets.front(), workbook::CsvReader::Import);
        EXPECT_NE(csv.find(closedFirst ? ",S.iam (Purchased),1," : ",S.iam (Inseparable),1,"),
                  std::string::npos)
            << csv;
        EXPECT_NE(csv.find(",T.iam,,S.iam,1,"), std::string::npos) << csv;
    }
}

// An assembly and a part of one part number stay two items when merged, so that no line is its
// own parent; merged files that disagree on a field show "*Varies*" in it.
TEST_F(ParentChildTest, MergingNeverMakesAnItemItsOwnParentAndShowsWhereFilesDisagree) {
    const std::string top = "C:\\W\\T.iam";
    const auto add = [&](const std::string& path, const char* partNumber,
                         const char* material = "") -> auto& {
        auto& document =
            path.ends_with(".iam") ? inventor.AddAssembly(path) : inventor.AddPart(path);
        document.properties[{kTracking, 5}] = Value{partNumber};
        document.properties[{kTracking, 20}] = Value{material};
        return document;
    };
    add(top, "T-1");
    add("C:\\W\\X.iam", "X-1");
    add("C:\\W\\X.ipt", "X-1");
    add("C:\\W\\Steel\\Bolt.ipt", "B8", "Steel");
    add("C:\\W\\Stainless\\Bolt.ipt", "B8", "Stainless");
    inventor.AddOccurrence(top, "X:1", "C:\\W\\X.iam");
    inventor.AddOccurrence(top, "X:2", "C:\\W\\X.iam");
    for (int i = 1; i <= 3; ++i) {
        inventor.AddOccurrence(top, "Xp:" + std::to_string(i), "C:\\W\\X.ipt");
    }
    inventor.AddOccurrence("C:\\W\\X.iam", "Xp:1", "C:\\W\\X.ipt");
    inventor.AddOccurrence(top, "Bolt:1", "C:\\W\\Steel\\Bolt.ipt");
    inventor.AddOccurrence(top, "Bolt:2", "C:\\W\\Stainless\\Bolt.ipt");
    Load(top);

    const auto merged = MergedByPartNumber(ParentChildLines(model, Counting::Walk));
    EXPECT_EQ(Texts(merged),
              (std::vector<std::string>{"T.iam > X.iam x2 @1", "X.iam > X.ipt x1 @2",
                                        "T.iam > X.ipt x3 @1", "T.iam > Bolt.ipt x2 @1"}));
    ExpectTotalsOfTheSummary(model, merged, top);
    const auto book = batch::ParentChildWorkbook(model, Counting::Walk, true);
    const std::string csv = workbook::SheetCsv(*book->sheets.front(), workbook::CsvReader::Import);
    EXPECT_NE(csv.find("T-1,T.iam,B8,Steel\\Bolt.ipt,2,,*Varies*,1"), std::string::npos) << csv;
}

// Two files of one name in two folders are two items by their paths below the top's folder; a
// virtual component is named with the assembly that holds it.
TEST_F(ParentChildTest, EveryItemHasANameAnImporterCanKeyOn) {
    const std::string top = "C:\\W\\T.iam";
    inventor.AddAssembly(top);
    for (const char* folder : {"A", "B"}) {
        const std::string sub = std::string("C:\\W\\") + folder + "\\Sub.iam";
        inventor.AddAssembly(sub).properties[{kTracking, 5}] = Value{"Sub"};
        inventor.AddOccurrence(top, std::string("Sub") + folder, sub);
        inventor.AddPart(std::string("C:\\W\\") + folder + "\\P.ipt");
        inventor.AddOccurrence(sub, "P:1", std::string("C:\\W\\") + folder + "\\P.ipt");
    }
    inventor.AddVirtual(top, "Paint:1", "Paint");
    Load(top);

    const auto book = batch::ParentChildWorkbook(model, Counting::Walk);
    const std::string csv = workbook::SheetCsv(*book->sheets.front(), workbook::CsvReader::Import);
    for (const char* row :
         {",T.iam,Sub,A\\Sub.iam,1,", ",A\\Sub.iam,,A\\P.ipt,1,", ",T.iam,Sub,B\\Sub.iam,1,",
          ",B\\Sub.iam,,B\\P.ipt,1,", ",T.iam,,\"Paint (virtual, in T.iam)\",1,"}) {
        EXPECT_NE(csv.find(row), std::string::npos) << row << "\n" << csv;
    }
}

// Random assemblies as planners meet them: sub-assemblies shared at several levels, each use
// with a BOM structure of its own, part numbers shared by parts and assemblies, files of one name
// in two folders, missing files. Merged or not, walked or counted by the BOM rules, the lines
// multiply down every path to the Summary BOM's totals, and none is its own parent.
TEST_F(ParentChildTest, RandomAssembliesGiveTheSummaryTotalsHoweverCountedOrMerged) {
    const std::int32_t structures[] = {
        inventor::kDefaultBOMStructure,    inventor::kDefaultBOMStructure,
        inventor::kDefaultBOMStructure,    inventor::kPhantomBOMStructure,
        inventor::kReferenceBOMStructure,  inventor::kPurchasedBOMStructure,
        inventor::kInseparableBOMStructure};
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        standins::StandinInventor planner;
        const auto partNumber = [&]() -> std::string {
            const int pick = static_cast<int>(random() % 8);
            return pick < 2 ? std::string() : "PN-" + std::to_string(pick);
        };
        const auto number = [&](standins::StandinDocument& document) {
            if (const std::string text = partNumber(); !text.empty()) {
                document.properties[{kTracking, 5}] = Value{text};
            }
        };
        const std::string top = "C:\\R\\Top.iam";
        planner.AddAssembly(top);
        std::vector<std::string> parts;
        for (int i = 0; i < 8; ++i) {
            for (const char* folder : {"L1", "L2"}) { // one name in two folders
                parts.push_back(std::string("C:\\R\\") + folder + "\\P" + std::to_string(i) +
                                ".ipt");
                number(planner.AddPart(parts.back()));
            }
        }
        constexpr int kAssemblies = 6;
        const auto assembly = [](int k) { return "C:\\R\\S" + std::to_string(k) + ".iam"; };
        for (int k = 0; k < kAssemblies; ++k) {
            auto& document = planner.AddAssembly(assembly(k));
            number(document);
            document.bomStructure = structures[random() % 7] == inventor::kDefaultBOMStructure
                                        ? inventor::kNormalBOMStructure
                                        : structures[random() % 7];
        }
        int uses = 0;
        const auto use = [&](const std::string& owner, const std::string& file) {
            planner.AddOccurrence(owner, "U:" + std::to_string(++uses), file).bomStructure =
                structures[random() % 7];
        };
        for (int k = kAssemblies - 1; k >= -1; --k) {
            const std::string owner = k < 0 ? top : assembly(k);
            for (int u = 0, count = 2 + static_cast<int>(random() % 4); u < count; ++u) {
                use(owner, random() % 25 == 0 ? "C:\\R\\Lost.ipt" : parts[random() % parts.size()]);
            }
            for (int child = k + 1; child < kAssemblies; ++child) {
                for (int t = 0, times = static_cast<int>(random() % 3); t < times; ++t) {
                    use(owner, assembly(child));
                }
            }
        }
        BomModel loaded;
        AssemblyLoader loader(loaded, listing, view, planner);
        view.fileNameText = top;
        loader.LoadAssembly();
        const BomModel ruled = ApplyBomRules(loaded);

        for (const Counting counting : {Counting::Walk, Counting::BomRules}) {
            const BomModel& counted = counting == Counting::Walk ? loaded : ruled;
            const auto lines = ParentChildLines(counted, counting);
            {
                SCOPED_TRACE(counting == Counting::Walk ? "walked" : "by the BOM rules");
                ExpectTotalsOfTheSummary(counted, lines, top);
                SCOPED_TRACE("merged by part number");
                ExpectTotalsOfTheSummary(counted, MergedByPartNumber(lines), top);
            }
        }
    }
}

// Two copies of one sub-assembly (part number "SUB"), each holding two bolts saved in two
// libraries under one part number: merged, one parent holds 2 of one bolt. When the copies hold
// different components, they stay apart, as parents and as components.
TEST_F(ParentChildTest, MergedByPartNumberFilesOfOnePartNumberAreOneParentOrComponent) {
    const std::string top = "C:\\W\\T.iam";
    const auto add = [&](const std::string& path, const char* partNumber) -> auto& {
        auto& document =
            path.ends_with(".iam") ? inventor.AddAssembly(path) : inventor.AddPart(path);
        document.properties[{kTracking, 5}] = Value{partNumber};
        return document;
    };
    add(top, "TOP");
    add("C:\\A\\Sub.iam", "SUB");
    add("C:\\B\\Sub.iam", "SUB");
    add("C:\\A\\Bolt.ipt", "B8");
    add("C:\\B\\Bolt.ipt", "B8");
    inventor.AddOccurrence(top, "Sub:1", "C:\\A\\Sub.iam");
    inventor.AddOccurrence(top, "Sub:2", "C:\\B\\Sub.iam");
    inventor.AddOccurrence(top, "Sub:3", "C:\\B\\Sub.iam");
    for (const char* sub : {"C:\\A\\Sub.iam", "C:\\B\\Sub.iam"}) {
        inventor.AddOccurrence(sub, "Bolt:1", "C:\\A\\Bolt.ipt");
        inventor.AddOccurrence(sub, "Bolt:2", "C:\\B\\Bolt.ipt");
    }
    Load(top);

    const auto merged = MergedByPartNumber(ParentChildLines(model, Counting::Walk));
    EXPECT_EQ(Texts(merged),
              (std::vector<std::string>{"T.iam > Sub.iam x3 @1", "Sub.iam > Bolt.ipt x2 @2"}));
    // 3 subs of 2 bolts: the 6 bolts the two files count together.
    EXPECT_EQ(merged[1].quantity * merged[0].quantity,
              model.Dupes.Find("C:\\A\\Bolt.ipt")->Quantity +
                  model.Dupes.Find("C:\\B\\Bolt.ipt")->Quantity);

    inventor.AddOccurrence("C:\\B\\Sub.iam", "Bolt:3", "C:\\B\\Bolt.ipt");
    model = BomModel{};
    Load(top);
    const auto apart = MergedByPartNumber(ParentChildLines(model, Counting::Walk));
    EXPECT_EQ(Texts(apart),
              (std::vector<std::string>{"T.iam > Sub.iam x1 @1", "Sub.iam > Bolt.ipt x2 @2",
                                        "T.iam > Sub.iam x2 @1", "Sub.iam > Bolt.ipt x3 @2"}));
    EXPECT_EQ(apart[0].component->FileName, "C:\\A\\Sub.iam");
    EXPECT_EQ(apart[2].component->FileName, "C:\\B\\Sub.iam");
}

// The sheet: a header, part numbers kept as the text they are, missing components by name with
// "File Missing", the header frozen.
TEST_F(ParentChildTest, TheSheetKeepsPartNumbersAsTextAndNamesMissingComponents) {
    const std::string top = "C:\\W\\T.iam";
    inventor.AddAssembly(top).properties[{kTracking, 5}] = Value{"GB-100"};
    auto& shaft = inventor.AddPart("C:\\W\\Shaft.ipt");
    shaft.properties[{kTracking, 5}] = Value{"00123"};
    shaft.properties[{kTracking, 29}] = Value{"Drive shaft"};
    shaft.properties[{kTracking, 20}] = Value{"Steel"};
    inventor.AddOccurrence(top, "Shaft:1", "C:\\W\\Shaft.ipt");
    inventor.AddOccurrence(top, "Shaft:2", "C:\\W\\Shaft.ipt");
    inventor.AddOccurrence(top, "Lost:1", "C:\\W\\Lost.ipt");
    Load(top);

    const auto book = batch::ParentChildWorkbook(model, Counting::Walk);
    ASSERT_EQ(book->sheets.size(), 1u);
    const workbook::Sheet& sheet = *book->sheets.front();
    EXPECT_EQ(sheet.name, "Parent-Child");
    ASSERT_TRUE(sheet.frozenAt);
    EXPECT_EQ(workbook::SheetCsv(sheet),
              "\xEF\xBB\xBF"
              "Parent Partnumber,Parent File,Component Partnumber,Component File,Quantity,"
              "Description,Material,Level\r\n"
              "GB-100,T.iam,\"=\"\"00123\"\"\",Shaft.ipt,2,Drive shaft,Steel,1\r\n"
              "GB-100,T.iam,<Lost:1>,<Lost:1>,1,File Missing,,1\r\n");
}

} // namespace
} // namespace pw::model
