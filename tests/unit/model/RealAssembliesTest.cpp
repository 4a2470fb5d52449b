// What real assemblies hold beyond parts and sub-assemblies, as Inventor's API reference gives
// it: virtual components, suppressed uses, BOM structures, and counts past 16 bits. The expected
// numbers are worked out by hand from Inventor's documented rules.
#include "ModelFixture.h"
#include "partwright/model/BomRules.h"
#include "partwright/model/VirtualKey.h"

namespace pw::model {
namespace {

const std::string kTop = "C:\\Work\\Frame.iam";
const std::string kSub = "C:\\Work\\Drive.iam";
const std::string kBolt = "C:\\Work\\Bolt.ipt";
const std::string kTracking = "Design Tracking Properties";

class RealAssembliesTest : public ModelFixture {
protected:
    void SetUp() override {
        inventor.AddAssembly(kTop, "Frame").properties[{kTracking, 5}] = Value{"FR-1"};
        inventor.AddAssembly(kSub).properties[{kTracking, 5}] = Value{"DR-1"};
        inventor.AddPart(kBolt).properties[{kTracking, 5}] = Value{"BOLT"};
    }
    // Grease defined in `assembly`, with its own part number and description.
    void Grease(const std::string& assembly, const std::string& name) {
        auto& grease = inventor.AddVirtual(assembly, name, "Grease");
        grease.properties[{kTracking, 5}] = Value{"GR-01"};
        grease.properties[{kTracking, 29}] = Value{"Bearing grease"};
    }
    std::vector<std::string> Kinds() const {
        std::vector<std::string> kinds;
        for (const auto& record : model.FileData) {
            const char* const names[] = {"other",   "assembly", "part",
                                         "virtual", "missing",  "suppressed"};
            kinds.push_back(names[static_cast<int>(record->Kind)]);
        }
        return kinds;
    }
};

TEST_F(RealAssembliesTest, AVirtualComponentIsAPartOfItsOwnNeverAUseOfItsAssembly) {
    Grease(kTop, "Grease:1");
    inventor.AddOccurrence(kTop, "Drive:1", kSub);
    Grease(kSub, "Grease:1");
    Grease(kSub, "Grease:2");
    Load(kTop);

    EXPECT_EQ(view.tree.Outline(), (std::vector<std::string>{
                                       "Frame\tAssembly", "  Grease:1\tPart", "  Drive:1\tAssembly",
                                       "    Grease:1\tPart", "    Grease:2\tPart"}));
    EXPECT_EQ(Kinds(),
              (std::vector<std::string>{"other", "virtual", "assembly", "virtual", "virtual"}));
    EXPECT_EQ(model.Counts.AssyCount, 2); // the top and the drive; no grease among them
    EXPECT_EQ(model.Counts.PartCount, 3);
    EXPECT_EQ(model.Counts.MaxIndent, 3);

    const auto top = model.FileData.Item(2);
    EXPECT_EQ(top->FileName, VirtualKey(kTop, "Grease"));
    EXPECT_EQ(top->Partnumber, Value{"GR-01"}); // its own, not the frame's
    EXPECT_EQ(top->Description, "Bearing grease");
    EXPECT_EQ(top->BOMStructure, inventor::kNormalBOMStructure);
    ASSERT_NE(top->TransMat, nullptr);
    // One entry per definition: the frame's grease once, the drive's twice; the drive itself once.
    EXPECT_EQ(EntryQuantity(VirtualKey(kTop, "Grease")), 1);
    EXPECT_EQ(EntryQuantity(VirtualKey(kSub, "Grease")), 2);
    EXPECT_EQ(EntryQuantity(kSub), 1);
    EXPECT_EQ(EntryQuantity(kTop), 0);
    EXPECT_EQ(RecordQuantities(), (std::vector<std::int32_t>{1, 1, 1, 1, 0}));
    EXPECT_EQ(view.list1.at(0), "(1)\tGrease (virtual, in " + kTop + ")");
    EXPECT_EQ(view.list1.at(2), "(2)\tGrease (virtual, in " + kSub + ")");
}

TEST_F(RealAssembliesTest, ASuppressedUseIsShownGreyAndNeitherMissingNorCountedNorWalked) {
    inventor.AddOccurrence(kSub, "Bolt:1", kBolt);
    inventor.AddOccurrence(kTop, "Drive:1", kSub).suppressed = true;
    inventor.AddOccurrence(kTop, "Bolt:1", kBolt);
    Load(kTop);

    EXPECT_EQ(view.tree.Outline(),
              (std::vector<std::string>{"Frame\tAssembly", "  Drive:1\tPart", "  Bolt:1\tPart"}));
    EXPECT_EQ(view.tree.Node(2).color, kSuppressedColor);
    EXPECT_EQ(view.tree.Node(3).color, -1);
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"other", "suppressed", "part"}));
    EXPECT_EQ(model.FileData.Item(3)->FileName, kBolt); // node k still finds record k
    EXPECT_EQ(model.Counts.MissingCount, 0);
    EXPECT_EQ(model.Counts.AssyCount, 1);
    EXPECT_EQ(model.Counts.PartCount, 1);
    EXPECT_EQ(model.Counts.MaxIndent, 2);
    EXPECT_EQ(EntryQuantity(kBolt), 1); // the drive's bolt was not walked
    EXPECT_EQ(model.Dupes.Find(kSub), nullptr);
    for (const auto& message : view.messages) {
        EXPECT_EQ(message.text.find("Missing"), std::string::npos) << message.text;
    }
}

TEST_F(RealAssembliesTest, EachRecordCarriesItsUsesOverrideElseItsDefinitionsStructure) {
    inventor.Document(kSub).bomStructure = inventor::kPurchasedBOMStructure;
    inventor.AddOccurrence(kTop, "Drive:1", kSub);
    inventor.AddOccurrence(kTop, "Drive:2", kSub).bomStructure = inventor::kReferenceBOMStructure;
    inventor.AddOccurrence(kTop, "Bolt:1", kBolt).bomStructure = inventor::kDefaultBOMStructure;
    inventor.Document(kTop).bomStructure = inventor::kInseparableBOMStructure;
    Load(kTop);

    std::vector<std::int32_t> structures;
    for (const auto& record : model.FileData) {
        structures.push_back(record->BOMStructure);
    }
    EXPECT_EQ(structures, (std::vector<std::int32_t>{
                              inventor::kInseparableBOMStructure, inventor::kPurchasedBOMStructure,
                              inventor::kReferenceBOMStructure, inventor::kNormalBOMStructure}));
    // Without the rules the counting stays as it always was.
    EXPECT_EQ(EntryQuantity(kSub), 2);
    EXPECT_EQ(model.Counts.AssyCount, 3);
}

// 200 bolts in a frame used 200 times: past what a 16-bit count holds.
TEST_F(RealAssembliesTest, ABoltUsedFortyThousandTimesCountsFortyThousand) {
    for (int bolt = 1; bolt <= 200; ++bolt) {
        inventor.AddOccurrence(kSub, "Bolt:" + std::to_string(bolt), kBolt);
    }
    for (int use = 1; use <= 200; ++use) {
        inventor.AddOccurrence(kTop, "Drive:" + std::to_string(use), kSub);
    }
    Load(kTop);

    EXPECT_EQ(EntryQuantity(kBolt), 40000);
    EXPECT_EQ(EntryQuantity(kSub), 200);
    EXPECT_EQ(model.Counts.PartCount, 40000);
    EXPECT_EQ(view.list1.at(1), "(40000)\t" + kBolt);
    EXPECT_EQ(view.Status(), "Found 2 Unique Parts or Assemblies");
}

// Inventor's rules, applied to a frame that holds one of each structure.
class BomRulesTest : public RealAssembliesTest {
protected:
    const std::string skeleton = "C:\\Work\\Skeleton.ipt";
    const std::string phantom = "C:\\Work\\Phantom.iam";
    const std::string motor = "C:\\Work\\Motor.iam";
    const std::string rotor = "C:\\Work\\Rotor.ipt";

    void SetUp() override {
        RealAssembliesTest::SetUp();
        inventor.AddPart(skeleton).bomStructure = inventor::kReferenceBOMStructure;
        inventor.AddAssembly(phantom).bomStructure = inventor::kPhantomBOMStructure;
        inventor.AddAssembly(motor).bomStructure = inventor::kPurchasedBOMStructure;
        inventor.AddPart(rotor);
        inventor.AddOccurrence(phantom, "Bolt:1", kBolt);
        inventor.AddOccurrence(phantom, "Bolt:2", kBolt);
        inventor.AddOccurrence(motor, "Rotor:1", rotor);
        inventor.AddOccurrence(motor, "Bolt:1", kBolt);
    }
    BomModel Ruled() const { return ApplyBomRules(model); }
    static std::vector<std::string> Rows(const BomModel& ruled) {
        std::vector<std::string> rows;
        for (const auto& record : ruled.FileData) {
            rows.push_back(std::to_string(record->Depth) + " " + record->FileName + " " +
                           std::to_string(record->Quantity));
        }
        return rows;
    }
    static std::int32_t Quantity(const BomModel& ruled, const std::string& key) {
        const auto entry = ruled.Dupes.Find(key);
        return entry ? entry->Quantity : 0;
    }
};

TEST_F(BomRulesTest, ReferenceLeftOutPhantomDissolvedPurchasedListedWithoutItsComponents) {
    inventor.AddOccurrence(kTop, "Skeleton:1", skeleton);
    inventor.AddOccurrence(kTop, "Drive:1", kSub);
    inventor.AddOccurrence(kSub, "Phantom:1", phantom); // its bolts count at depth 3
    inventor.AddOccurrence(kTop, "Motor:1", motor);
    inventor.AddOccurrence(kTop, "Bolt:1", kBolt);
    Load(kTop);
    const BomModel ruled = Ruled();

    EXPECT_EQ(Rows(ruled), (std::vector<std::string>{"1 " + kTop + " 1", "2 " + kSub + " 1",
                                                     "3 " + kBolt + " 1", "3 " + kBolt + " 0",
                                                     "2 " + motor + " 1", "3 " + rotor + " 0",
                                                     "3 " + kBolt + " 0", "2 " + kBolt + " 0"}));
    // Summary: the drive, three bolts (two from the phantom, one direct; not the motor's), the
    // motor; no skeleton, no phantom, no rotor.
    EXPECT_EQ(ruled.Dupes.Count(), 3);
    EXPECT_EQ(Quantity(ruled, kSub), 1);
    EXPECT_EQ(Quantity(ruled, kBolt), 3);
    EXPECT_EQ(Quantity(ruled, motor), 1);
    EXPECT_EQ(ruled.Counts.AssyCount, 3); // top, drive, motor
    EXPECT_EQ(ruled.Counts.PartCount, 3);
    EXPECT_EQ(ruled.Counts.MaxIndent, 3);
    // The load itself is untouched.
    EXPECT_EQ(EntryQuantity(kBolt), 4);
    EXPECT_EQ(EntryQuantity(phantom), 1);
}

TEST_F(BomRulesTest, AUsesOverrideDecidesOverItsDefinition) {
    inventor.AddOccurrence(kTop, "Bolt:1", kBolt).bomStructure = inventor::kReferenceBOMStructure;
    inventor.AddOccurrence(kTop, "Bolt:2", kBolt);
    inventor.AddOccurrence(kTop, "Skeleton:1", skeleton).bomStructure =
        inventor::kNormalBOMStructure;
    inventor.AddOccurrence(kTop, "Motor:1", motor).bomStructure = inventor::kNormalBOMStructure;
    Load(kTop);
    const BomModel ruled = Ruled();

    EXPECT_EQ(Quantity(ruled, kBolt), 2); // Bolt:2 and the motor's bolt, now counted
    EXPECT_EQ(Quantity(ruled, skeleton), 1);
    EXPECT_EQ(Quantity(ruled, rotor), 1);
    EXPECT_EQ(ruled.Counts.PartCount, 4);
}

TEST_F(BomRulesTest, AnInseparableAssemblyIsOneItemAndAUseMadePhantomIsDissolved) {
    inventor.Document(kSub).bomStructure = inventor::kInseparableBOMStructure;
    inventor.AddOccurrence(kSub, "Rotor:1", rotor);
    inventor.AddOccurrence(kTop, "Drive:1", kSub);
    inventor.AddOccurrence(kTop, "Motor:1", motor).bomStructure = inventor::kPhantomBOMStructure;
    Load(kTop);
    const BomModel ruled = Ruled();

    EXPECT_EQ(Rows(ruled),
              (std::vector<std::string>{"1 " + kTop + " 1", "2 " + kSub + " 1", "3 " + rotor + " 0",
                                        "2 " + rotor + " 1", "2 " + kBolt + " 1"}));
    EXPECT_EQ(Quantity(ruled, kSub), 1);
    EXPECT_EQ(Quantity(ruled, rotor), 1); // the motor's, in its place; not the drive's
    EXPECT_EQ(Quantity(ruled, motor), 0);
    EXPECT_EQ(ruled.Counts.AssyCount, 2);
    EXPECT_EQ(ruled.Counts.PartCount, 2);
}

TEST_F(BomRulesTest, NestedPhantomsRiseOneLevelEachSuppressedUsesGoMissingOnesStay) {
    const std::string inner = "C:\\Work\\Inner.iam";
    inventor.AddAssembly(inner).bomStructure = inventor::kPhantomBOMStructure;
    inventor.AddOccurrence(inner, "Phantom:1", phantom);
    inventor.AddOccurrence(kTop, "Inner:1", inner);
    inventor.AddOccurrence(kTop, "Gone:1", "C:\\Work\\Gone.ipt");
    inventor.AddOccurrence(kTop, "Motor:1", motor).suppressed = true;
    Grease(kTop, "Grease:1");
    Load(kTop);
    const BomModel ruled = Ruled();

    EXPECT_EQ(Rows(ruled), (std::vector<std::string>{"1 " + kTop + " 1", "2 " + kBolt + " 1",
                                                     "2 " + kBolt + " 0", "2 <Gone:1> 1",
                                                     "2 " + VirtualKey(kTop, "Grease") + " 1"}));
    EXPECT_EQ(ruled.Counts.MissingCount, 1);
    EXPECT_EQ(Quantity(ruled, "<Gone:1>"), -1);
    EXPECT_EQ(ruled.Counts.PartCount, 3);
    EXPECT_EQ(ruled.Counts.AssyCount, 1);
    EXPECT_EQ(ruled.Counts.MaxIndent, 2);
}

} // namespace
} // namespace pw::model
