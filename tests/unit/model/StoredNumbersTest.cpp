#include "ModelFixture.h"
#include "partwright/model/UnitQuantity.h"

// What a user's own files hold: the mass Inventor stored, and quantities counted in a length,
// an area or a mass rather than in items.
namespace pw::model {
namespace {

const std::string kTop = "C:\\Work\\Frame.iam";
const std::string kTube = "C:\\Work\\Tube 1250.ipt";
const std::string kBolt = "C:\\Work\\Bolt.ipt";
const std::string kTracking = "Design Tracking Properties";
const std::string kModelInfo = "Model Information";
constexpr std::int32_t kMass = 58;
constexpr std::int32_t kValidMassProps = 62;

inventor::BaseQuantity Parameter(double internalUnits, const std::string& unit,
                                 const std::string& text) {
    return {inventor::kParameterBOMQuantity, internalUnits, unit, text};
}

class StoredNumbersTest : public ModelFixture {
protected:
    void SetUp() override {
        inventor.AddAssembly(kTop, "Frame");
        Stored(inventor.AddPart(kTube), 1950.5, 31);
        Stored(inventor.AddPart(kBolt), 16.2, 31);
    }

    static void Stored(standins::StandinDocument& document, double grams, std::int32_t flags) {
        document.properties[{kTracking, kMass}] = Value{grams};
        document.properties[{kTracking, kValidMassProps}] = Value{flags};
    }

    const clsFileData& RecordOf(const std::string& file) const {
        for (const auto& record : model.FileData) {
            if (record->FileName == file) {
                return *record;
            }
        }
        throw std::runtime_error("no record of " + file);
    }
};

TEST_F(StoredNumbersTest, TheWeightIsTheStoredMassWhereAFileHasNoModelInformation) {
    inventor.AddOccurrence(kTop, "Tube:1", kTube);
    inventor.AddOccurrence(kTop, "Bolt:1", kBolt);
    // The older set, where a file has it, still decides: its weight by volume.
    auto& bolt = inventor.Document(kBolt);
    bolt.properties[{kModelInfo, 2}] = Value{7.85};
    bolt.properties[{kModelInfo, 3}] = Value{2.0};
    Load(kTop);

    EXPECT_EQ(RecordOf(kTube).Weight, Value{1950.5});
    EXPECT_FALSE(RecordOf(kTube).MassOutOfDate);
    EXPECT_DOUBLE_EQ(std::get<double>(RecordOf(kBolt).Weight), 15.7);
    EXPECT_EQ(OutOfDateMassCount(model), 0);
}

// Inventor keeps the mass it last computed; a file saved since without an update holds a stale
// or never computed (-1) one, which no BOM should add up.
TEST_F(StoredNumbersTest, AMassInventorMarksOutOfDateIsLeftEmptyAndCountedOncePerFile) {
    const std::string never = "C:\\Work\\Never.ipt";
    Stored(inventor.Document(kTube), 1950.5, 0);
    Stored(inventor.AddPart(never), -1, 31);
    for (const char* use : {"Tube:1", "Tube:2", "Tube:3"}) {
        inventor.AddOccurrence(kTop, use, kTube);
    }
    inventor.AddOccurrence(kTop, "Never:1", never);
    inventor.AddOccurrence(kTop, "Bolt:1", kBolt);
    Load(kTop);

    for (const auto& record : model.FileData) {
        if (record->FileName == kTube || record->FileName == never) {
            EXPECT_TRUE(IsEmpty(record->Weight));
            EXPECT_TRUE(record->MassOutOfDate);
        }
    }
    EXPECT_EQ(RecordOf(kBolt).Weight, Value{16.2});
    EXPECT_EQ(OutOfDateMassCount(model), 2);
    EXPECT_EQ(view.Status(),
              "2 parts have no up-to-date mass; open and save them in Inventor to update it");
}

TEST_F(StoredNumbersTest, AFileWithNoStoredMassIsNeitherWeighedNorCounted) {
    inventor.Document(kBolt).properties.erase({kTracking, kMass});
    inventor.AddOccurrence(kTop, "Bolt:1", kBolt);
    Load(kTop);
    EXPECT_TRUE(IsEmpty(RecordOf(kBolt).Weight));
    EXPECT_EQ(OutOfDateMassCount(model), 0);
    EXPECT_EQ(view.Status().find("mass"), std::string::npos) << view.Status();
}

TEST_F(StoredNumbersTest, EachRecordCarriesWhatOneItemCountsForInItsBaseUnit) {
    inventor.Document(kTube).bomQuantity = Parameter(125.0, "mm", "1250.000 mm");
    const std::string sheet = "C:\\Work\\Mesh.ipt";
    inventor.AddPart(sheet).bomQuantity = Parameter(4800.0, "m^2", "0.480 m^2");
    const std::string cable = "C:\\Work\\Cable.ipt";
    inventor.AddPart(cable).bomQuantity = Parameter(300.0, "yd", "3.281 yd");
    inventor.AddOccurrence(kTop, "Tube:1", kTube);
    inventor.AddOccurrence(kTop, "Mesh:1", sheet);
    inventor.AddOccurrence(kTop, "Cable:1", cable);
    inventor.AddOccurrence(kTop, "Bolt:1", kBolt);
    inventor.AddVirtual(kTop, "Paint:1", "Paint").bomQuantity = Parameter(0.25, "kg", "0.250 kg");
    Load(kTop);

    EXPECT_EQ(RecordOf(kTube).PerItem, (UnitQuantity{false, 1250.0, "mm", "1250.000 mm"}));
    EXPECT_EQ(RecordOf(sheet).PerItem, (UnitQuantity{false, 0.48, "m^2", "0.480 m^2"}));
    // A unit Partwright cannot convert keeps Inventor's text and has no number.
    EXPECT_EQ(RecordOf(cable).PerItem, (UnitQuantity{false, std::nullopt, "yd", "3.281 yd"}));
    EXPECT_EQ(RecordOf(kBolt).PerItem, UnitQuantity{});
    EXPECT_EQ(model.FileData.Item(6)->PerItem, (UnitQuantity{false, 0.25, "kg", "0.250 kg"}));
}

TEST_F(StoredNumbersTest, AQuantityThatCannotBeReadCountsEach) {
    inventor.Document(kTube).bomQuantity = Parameter(125.0, "mm", "1250.000 mm");
    inventor.Faults().FailOn(standins::Op::BOMQuantity, kTube);
    inventor.AddOccurrence(kTop, "Tube:1", kTube);
    Load(kTop);
    EXPECT_EQ(RecordOf(kTube).PerItem, UnitQuantity{});
}

} // namespace
} // namespace pw::model
