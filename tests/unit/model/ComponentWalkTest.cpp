#include "ModelFixture.h"

namespace pw::model {
namespace {

using standins::Op;

const std::string kTop = "C:\\Work\\Gearbox.iam";
const std::string kShaft = "C:\\Work\\Parts\\Shaft.ipt";
const std::string kSummary = "Inventor Summary Information";
const std::string kTracking = "Design Tracking Properties";
const std::string kModelInfo = "Model Information";

class ComponentWalkTest : public ModelFixture {
protected:
    void SetUp() override {
        inventor.AddAssembly(kTop, "Gearbox");
        auto& shaft = inventor.AddPart(kShaft);
        shaft.properties = {
            {{kSummary, 4}, Value{"A. Author"}}, {{kSummary, 9}, Value{"B"}},
            {{kTracking, 36}, Value{125.5}},     {{kTracking, 41}, Value{"D. Designer"}},
            {{kTracking, 40}, Value{1}},         {{kTracking, 20}, Value{"Steel"}},
            {{kModelInfo, 2}, Value{7.85}},      {{kModelInfo, 3}, Value{120.0}},
            {{kTracking, 5}, Value{"00123"}},    {{kTracking, 29}, Value{"=Drive shaft"}},
        };
        shaft.adaptive = true;
    }

    std::shared_ptr<clsFileData> Record(std::int32_t position) const {
        return model.FileData.Item(position);
    }
};

TEST_F(ComponentWalkTest, ARecordHoldsTheDocumentsPropertiesAsDelivered) {
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft,
                           {1, 0, 0, 5, 0, 1, 0, 6, 0, 0, 1, 7, 0, 0, 0, 1});
    Load(kTop);

    const auto shaft = Record(2);
    ASSERT_NE(shaft, nullptr);
    EXPECT_EQ(shaft->FileName, kShaft);
    EXPECT_EQ(shaft->Author, "A. Author");
    EXPECT_EQ(shaft->Revision, Value{"B"});
    EXPECT_EQ(shaft->Cost, Value{125.5});
    EXPECT_EQ(shaft->Designer, "D. Designer");
    EXPECT_EQ(shaft->Status, Value{1});
    EXPECT_EQ(shaft->Material, "Steel");
    EXPECT_DOUBLE_EQ(std::get<double>(shaft->Weight), 942.0);
    EXPECT_EQ(shaft->Partnumber, Value{"00123"}); // text stays text
    EXPECT_EQ(shaft->Description, "=Drive shaft");
    EXPECT_TRUE(shaft->Adaptive);
    EXPECT_EQ(shaft->Depth, 2);
    EXPECT_TRUE(shaft->DisplayName.empty());
    EXPECT_TRUE(shaft->Title.empty());
    ASSERT_NE(shaft->TransMat, nullptr);
    EXPECT_EQ(shaft->TransMat->Cell(1, 4), 5.0);
    EXPECT_EQ(shaft->TransMat->Cell(3, 4), 7.0);

    const auto top = Record(1);
    EXPECT_EQ(top->FileName, kTop);
    EXPECT_EQ(top->Depth, 1);
    EXPECT_EQ(top->Quantity, 1);
    ASSERT_NE(top->TransMat, nullptr); // a new identity matrix from the server
    EXPECT_EQ(top->TransMat->Cell(2, 2), 1.0);
    EXPECT_EQ(model.Dupes.Find(kTop), nullptr);
}

// A large assembly uses a few files thousands of times: each file's fields are read once.
TEST_F(ComponentWalkTest, AFileUsedManyTimesIsReadOnceAndShowsTheSameFieldsAtEveryUse) {
    for (int use = 1; use <= 3; ++use) {
        inventor.AddOccurrence(kTop, "Shaft:" + std::to_string(use), kShaft);
    }
    Load(kTop);

    ASSERT_EQ(model.FileData.Count(), 4);
    // The shaft's ten, and the top's eleven: without "Model Information" its stored mass is asked.
    EXPECT_EQ(inventor.Faults().Calls(Op::PropertyValue), 10 + 11);
    for (std::int32_t use = 2; use <= 4; ++use) {
        const auto shaft = Record(use);
        EXPECT_EQ(shaft->Partnumber, Value{"00123"});
        EXPECT_EQ(shaft->Author, "A. Author");
        EXPECT_DOUBLE_EQ(std::get<double>(shaft->Weight), 942.0);
        EXPECT_TRUE(shaft->Adaptive);
    }
}

// Every call into Apprentice is paid per occurrence: a use is asked whether it is suppressed only
// when its definition cannot be read, and BOM structures only when the BOM rules will count.
TEST_F(ComponentWalkTest, OnlyWhatTheCountingNeedsIsAskedOfEachOccurrence) {
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    inventor.AddOccurrence(kTop, "Shaft:2", kShaft).suppressed = true;
    inventor.AddOccurrence(kTop, "Lost:1", "C:\\Work\\Lost.ipt");
    model.ReadBomStructures = false;
    Load(kTop);
    EXPECT_EQ(inventor.Faults().Calls(Op::Suppressed), 2); // the suppressed use and the lost one
    EXPECT_EQ(inventor.Faults().Calls(Op::BOMStructure), 0);
    EXPECT_EQ(view.tree.Node(3).color, kSuppressedColor);
    EXPECT_EQ(view.tree.Node(4).color, kMissingColor);
    EXPECT_EQ(model.Counts.MissingCount, 1);
}

TEST_F(ComponentWalkTest, NumbersReadAsTextBecomeTheirDecimalText) {
    inventor.Document(kShaft).properties[{kSummary, 4}] = Value{std::int32_t{42}};
    inventor.Document(kShaft).properties[{kTracking, 20}] = Value{2.5};
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    Load(kTop);
    EXPECT_EQ(Record(2)->Author, "42");
    EXPECT_EQ(Record(2)->Material, "2.5");
}

TEST_F(ComponentWalkTest, AFailingReadLeavesItsFieldAtTheDefaultAndTheRestIsFilled) {
    auto& shaft = inventor.Document(kShaft);
    shaft.properties.erase({kSummary, 4});
    shaft.properties.erase({kSummary, 9});
    shaft.properties.erase({kModelInfo, 3});
    inventor.Faults().FailOn(Op::Adaptive, kShaft, static_cast<ResultCode>(0x80020003u));
    inventor.Faults().FailOn(Op::Transformation, "Shaft:1");
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    Load(kTop);

    const auto record = Record(2);
    EXPECT_EQ(record->Author, "");
    EXPECT_TRUE(IsEmpty(record->Revision));
    EXPECT_EQ(record->Weight, Value{7.85}); // the second factor failed: property 2 alone
    EXPECT_FALSE(record->Adaptive);
    EXPECT_EQ(record->TransMat, nullptr);
    EXPECT_EQ(record->Material, "Steel");
    EXPECT_EQ(record->Designer, "D. Designer");
    EXPECT_EQ(EntryQuantity(kShaft), 1);
}

TEST_F(ComponentWalkTest, AWeightWithoutItsFirstFactorIsZero) {
    inventor.Document(kShaft).properties.erase({kModelInfo, 2});
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    Load(kTop);
    EXPECT_EQ(Record(2)->Weight, Value{0.0});
}

// Whole factors whose product leaves the 32-bit range once left the weight at its first factor.
TEST_F(ComponentWalkTest, AWeightPastTheWholeNumberRangeIsTheTrueProduct) {
    inventor.Document(kShaft).properties[{kModelInfo, 2}] = Value{std::int32_t{8}};
    inventor.Document(kShaft).properties[{kModelInfo, 3}] = Value{std::int32_t{300000000}};
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    Load(kTop);
    EXPECT_EQ(Record(2)->Weight, Value{2.4e9});
}

TEST_F(ComponentWalkTest, MissingComponentsAreMarkedCountedAndNotDescended) {
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    inventor.AddOccurrence(kTop, "Lost:1", "C:\\Work\\Lost.iam");
    inventor.AddOccurrence(kTop, "Lost:1", "C:\\Work\\Lost.iam");
    Load(kTop);

    ASSERT_EQ(view.tree.nodes.size(), 4u);
    for (const NodeIndex node : {3, 4}) {
        EXPECT_EQ(view.tree.Node(node).text, "Lost:1");
        EXPECT_EQ(view.tree.Node(node).image, "NoPart");
        EXPECT_EQ(view.tree.Node(node).color, kMissingColor);
        EXPECT_EQ(view.tree.Node(node).parent, 1);
    }
    EXPECT_EQ(view.tree.Node(2).color, -1);

    const auto missing = Record(3);
    EXPECT_EQ(missing->FileName, "<Lost:1>");
    EXPECT_EQ(missing->Partnumber, Value{"<Lost:1>"});
    EXPECT_EQ(missing->Description, "File Missing");
    EXPECT_EQ(missing->Author, "Unknown");
    EXPECT_EQ(missing->Depth, 2);
    EXPECT_EQ(missing->TransMat, nullptr);
    EXPECT_EQ(RecordQuantities(), (std::vector<std::int32_t>{1, 1, 1, 0}));
    EXPECT_EQ(EntryQuantity("<lost:1>"), -2);
    EXPECT_EQ(model.Counts.MissingCount, 2);
    EXPECT_EQ(model.Counts.PartCount, 1);
    EXPECT_EQ(model.Counts.MaxIndent, 2);

    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text,
              "2 Parts or Assemblies Missing, Pleae check your project setup\r\n\r\nThe "
              "active project is \"Default\", Inventor's default project, which has no file.");
    EXPECT_EQ(view.messages[0].style, kOkOnly);
    EXPECT_EQ(view.results[1], "Referenced Files\t2");
    EXPECT_EQ(view.results[5], "Missing\t2");
}

TEST_F(ComponentWalkTest, AMissingComponentFirstAmongItsSiblingsIsCountedToo) {
    inventor.AddOccurrence(kTop, "Lost:1", "C:\\Work\\Lost.ipt");
    Load(kTop);
    EXPECT_EQ(model.Counts.MissingCount, 1);
    EXPECT_EQ(view.messages.at(0).text.substr(0, 2), "1 ");
}

TEST_F(ComponentWalkTest, AMissingComponentWhoseNameCannotBeReadShowsAsError) {
    inventor.AddOccurrence(kTop, "Lost:1", "C:\\Work\\Lost.ipt");
    inventor.Faults().FailOn(Op::Name, "Lost:1");
    Load(kTop);

    ASSERT_EQ(view.tree.nodes.size(), 2u);
    EXPECT_EQ(view.tree.Node(2).text, "<Error>");
    EXPECT_EQ(view.tree.Node(2).color, kMissingColor);
    EXPECT_EQ(Record(2)->FileName, "<<Error>>");
    EXPECT_EQ(model.Counts.MissingCount, 1);
}

TEST_F(ComponentWalkTest, AnOccurrenceOfUnreadableTypeIsWalkedButNotCounted) {
    const std::string sub = "C:\\Work\\Sub.iam";
    inventor.AddAssembly(sub);
    inventor.AddOccurrence(sub, "Shaft:1", kShaft);
    inventor.AddOccurrence(kTop, "Sub:1", sub);
    inventor.Faults().FailOn(Op::DocumentType, sub, static_cast<ResultCode>(0x80010105u));
    Load(kTop);

    EXPECT_EQ(view.tree.Outline(), (std::vector<std::string>{"Gearbox\tAssembly", "  Sub:1\tNoPart",
                                                             "    Shaft:1\tPart"}));
    EXPECT_EQ(model.Counts.AssyCount, 1);
    EXPECT_EQ(model.Counts.PartCount, 1);
    EXPECT_EQ(model.Counts.MissingCount, 0);
    EXPECT_EQ(Record(2)->FileName, sub);
    EXPECT_EQ(model.Counts.MaxIndent, 3);
}

TEST_F(ComponentWalkTest, ANodeWhoseRecordCannotBeMadeKeepsNodesAndRecordsAligned) {
    const std::string bolt = "C:\\Work\\Parts\\Bolt.ipt";
    inventor.AddPart(bolt);
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    inventor.AddOccurrence(kTop, "Bolt:1", bolt);
    inventor.Faults().FailOn(Op::FullFileName, kShaft);
    Load(kTop);

    ASSERT_EQ(model.FileData.Count(), 3);
    EXPECT_EQ(Record(2)->FileName, "");
    EXPECT_EQ(Record(2)->Depth, 2);
    EXPECT_EQ(view.tree.Node(3).text, "Bolt:1");
    EXPECT_EQ(Record(3)->FileName, bolt);
    EXPECT_EQ(model.Dupes.Count(), 1);
}

// A sub-assembly whose components cannot be read, and an occurrence whose node cannot be added,
// lose what is below them: each is marked where it can be, kept in the model's unread list and
// said after the load, never left out in silence.
TEST_F(ComponentWalkTest, PartsOfTheAssemblyThatCannotBeReadAreMarkedAndSaid) {
    const std::string sub = "C:\\Work\\Sub.iam";
    const std::string bolt = "C:\\Work\\Parts\\Bolt.ipt";
    inventor.AddAssembly(sub);
    inventor.AddPart(bolt);
    inventor.AddOccurrence(sub, "Shaft:1", kShaft);
    inventor.AddOccurrence(kTop, "Sub:1", sub);
    inventor.AddOccurrence(kTop, "Bolt:1", bolt);
    inventor.AddOccurrence(kTop, "Sub:2", sub);
    inventor.AddOccurrence(kTop, "Shaft:2", kShaft);
    inventor.Faults().FailOn(Op::SubOccurrences, "Sub:1", static_cast<ResultCode>(0x80010108u));
    view.tree.refusedText = "Bolt:1";
    Load(kTop);

    EXPECT_EQ(
        view.tree.Outline(),
        (std::vector<std::string>{"Gearbox\tAssembly", "  Sub:1\tAssembly", "  Sub:2\tAssembly",
                                  "    Shaft:1\tPart", "  Shaft:2\tPart"}));
    EXPECT_EQ(view.tree.Node(2).color, kUnreadColor);
    EXPECT_EQ(view.tree.Node(3).color, -1);
    // Nodes and records stay aligned: the refused node has no record either.
    ASSERT_EQ(model.FileData.Count(), 5);
    EXPECT_EQ(Record(3)->FileName, sub);
    EXPECT_EQ(EntryQuantity(kShaft), 2);
    ASSERT_EQ(model.Unread.size(), 2u);
    EXPECT_EQ(model.Unread[0].rfind("the components of Sub:1: ", 0), 0u);
    EXPECT_EQ(model.Unread[1], "Bolt:1 (not shown in the tree: Out of memory)");
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, UnreadText(model));
    EXPECT_EQ(view.messages[0].text.rfind("2 parts of the assembly could not be read, so the "
                                          "tree, the lists and the totals are incomplete; the "
                                          "first: the components of Sub:1: ",
                                          0),
              0u);
    EXPECT_TRUE(loader.Completed()); // what could be read is shown

    // The next load starts with nothing unread.
    inventor.Faults() = standins::FaultPlan();
    view.tree.refusedText.clear();
    Load(kTop);
    EXPECT_TRUE(model.Unread.empty());
    EXPECT_EQ(model.FileData.Count(), 7);
}

// A click on a node shows its own record's picture, whatever the tree refused: with the top
// assembly's node refused, its record still comes first while the components' nodes are
// numbered from 1, and a refused node in between has no record.
TEST_F(ComponentWalkTest, EachNodeShowsItsOwnRecordWhateverTheTreeRefused) {
    const std::string sub = "C:\\Work\\Sub.iam";
    const std::string bolt = "C:\\Work\\Bolt.ipt";
    inventor.AddAssembly(sub);
    inventor.AddPart(bolt);
    inventor.AddOccurrence(sub, "Shaft:1", kShaft);
    inventor.AddOccurrence(kTop, "Sub:1", sub);
    inventor.AddOccurrence(kTop, "Bolt:1", bolt);
    inventor.AddOccurrence(kTop, "Missing:1", "C:\\Work\\Gone.ipt");
    inventor.AddOccurrence(kTop, "Shaft:2", kShaft);
    for (const std::string refused : {"Gearbox", "Bolt:1"}) {
        SCOPED_TRACE(refused);
        view.tree.refusedText = refused;
        Load(kTop);
        const std::map<std::string, std::string> fileOfNode = {
            {"Gearbox", kTop}, {"Sub:1", sub},          {"Shaft:1", kShaft},
            {"Bolt:1", bolt},  {"Missing:1", "<Missing:1>"}, {"Shaft:2", kShaft}};
        ASSERT_EQ(view.tree.nodes.size(), 5u);
        for (NodeIndex node = 1; node <= 5; ++node) {
            const std::string& text = view.tree.Node(node).text;
            const auto record = Record(model.Nodes.RecordOf(node));
            ASSERT_TRUE(record) << text;
            EXPECT_EQ(record->FileName, fileOfNode.at(text)) << text;
        }
        EXPECT_EQ(model.Nodes.RecordOf(6), 0);
    }
}

TEST_F(ComponentWalkTest, AnAssemblyContainingItselfNeitherHangsNorLosesItsNode) {
    const std::string sub = "C:\\Work\\Loop.iam";
    inventor.AddAssembly(sub);
    inventor.AddOccurrence(sub, "Shaft:1", kShaft);
    inventor.AddOccurrence(sub, "Loop:1", "c:\\work\\LOOP.iam");
    inventor.AddOccurrence(kTop, "Loop:1", sub);
    inventor.AddOccurrence(kTop, "Gearbox:1", kTop);
    Load(kTop);

    EXPECT_EQ(view.tree.Outline(), (std::vector<std::string>{
                                       "Gearbox\tAssembly",
                                       "  Loop:1\tAssembly",
                                       "    Shaft:1\tPart",
                                       "    Loop:1\tAssembly",
                                       "  Gearbox:1\tAssembly",
                                   }));
    EXPECT_EQ(model.FileData.Count(), 5);
    EXPECT_EQ(EntryQuantity(sub), 2);
    EXPECT_EQ(EntryQuantity(kTop), 1);
}

TEST_F(ComponentWalkTest, DepthsUpToTheSixteenBitLimitWorkWithoutExhaustingTheStack) {
    constexpr int kLevels = 33000;
    std::string parent = kTop;
    for (int level = 1; level <= kLevels; ++level) {
        const std::string child = "C:\\Deep\\A" + std::to_string(level) + ".iam";
        inventor.AddAssembly(child);
        inventor.AddOccurrence(parent, "A:" + std::to_string(level), child);
        parent = child;
    }
    Load(kTop);

    EXPECT_EQ(model.Counts.MaxIndent, 32767);
    // Occurrences reach Depth 32767; below that the next level cannot be numbered.
    EXPECT_EQ(model.FileData.Count(), 32767);
    EXPECT_EQ(model.FileData.Item(32767)->Depth, 32767);
    EXPECT_EQ(view.Status(), "Found 32766 Unique Parts or Assemblies");
}

} // namespace
} // namespace pw::model
