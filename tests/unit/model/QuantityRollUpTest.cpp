#include "ModelFixture.h"

namespace pw::model {
namespace {

const std::string kTop = "C:\\Work\\Gearbox.iam";
const std::string kShaft = "C:\\Work\\Parts\\Shaft.ipt";
const std::string kBolt = "C:\\Work\\Parts\\Bolt.ipt";
const std::string kHousing = "C:\\Work\\Housing.iam";

using QuantityRollUp = ModelFixture;

TEST_F(QuantityRollUp, AComponentUsedThreeTimesCountsOnceWithQuantityThree) {
    inventor.AddAssembly(kTop, "Gearbox");
    inventor.AddPart(kShaft);
    for (const char* name : {"Shaft:1", "Shaft:2", "Shaft:3"}) {
        inventor.AddOccurrence(kTop, name, kShaft);
    }
    Load(kTop);

    EXPECT_EQ(model.FileData.Count(), 4);
    EXPECT_EQ(RecordQuantities(), (std::vector<std::int32_t>{1, 1, 0, 0}));
    ASSERT_EQ(model.Dupes.Count(), 1);
    EXPECT_EQ(EntryQuantity(kShaft), 3);
    EXPECT_EQ(model.Counts.PartCount, 3);
    EXPECT_EQ(model.Counts.MaxIndent, 2);
    EXPECT_EQ(view.list1, (std::vector<std::string>{"(3)\t" + kShaft}));
}

TEST_F(QuantityRollUp, QuantitiesMultiplyThroughRepeatedSubAssemblies) {
    inventor.AddAssembly(kTop, "Gearbox");
    inventor.AddAssembly(kHousing);
    inventor.AddPart(kBolt);
    inventor.AddOccurrence(kHousing, "Bolt:1", kBolt);
    inventor.AddOccurrence(kHousing, "Bolt:2", kBolt);
    inventor.AddOccurrence(kTop, "Housing:1", kHousing);
    inventor.AddOccurrence(kTop, "Housing:2", kHousing);
    inventor.AddOccurrence(kTop, "Bolt:3", kBolt);
    Load(kTop);

    EXPECT_EQ(EntryQuantity(kHousing), 2);
    EXPECT_EQ(EntryQuantity(kBolt), 5);
    EXPECT_EQ(model.Counts.AssyCount, 3);
    EXPECT_EQ(model.Counts.PartCount, 5);
    EXPECT_EQ(model.Counts.MaxIndent, 3);
    // Pre-order: each sub-assembly's parts follow it directly.
    EXPECT_EQ(view.tree.Outline(), (std::vector<std::string>{
                                       "Gearbox\tAssembly",
                                       "  Housing:1\tAssembly",
                                       "    Bolt:1\tPart",
                                       "    Bolt:2\tPart",
                                       "  Housing:2\tAssembly",
                                       "    Bolt:1\tPart",
                                       "    Bolt:2\tPart",
                                       "  Bolt:3\tPart",
                                   }));
    std::vector<std::int16_t> depths;
    for (const auto& record : model.FileData) {
        depths.push_back(record->Depth);
    }
    EXPECT_EQ(depths, (std::vector<std::int16_t>{1, 2, 3, 3, 2, 3, 3, 2}));
    EXPECT_EQ(view.list1, (std::vector<std::string>{"(2)\t" + kHousing, "(5)\t" + kBolt}));
}

TEST_F(QuantityRollUp, PathsDifferingOnlyInLetterCaseShareOneEntry) {
    inventor.AddAssembly(kTop);
    inventor.AddPart(kShaft);
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    inventor.AddOccurrence(kTop, "Shaft:2", "c:\\WORK\\parts\\shaft.IPT");
    Load(kTop);

    ASSERT_EQ(model.Dupes.Count(), 1);
    EXPECT_EQ(EntryQuantity("C:\\WORK\\PARTS\\SHAFT.IPT"), 2);
    EXPECT_EQ(RecordQuantities(), (std::vector<std::int32_t>{1, 1, 0}));
}

TEST_F(QuantityRollUp, AnAssemblyWithoutComponentsHasOnlyItsTopRecord) {
    inventor.AddAssembly(kTop, "Empty");
    Load(kTop);

    EXPECT_EQ(model.FileData.Count(), 1);
    EXPECT_EQ(model.Dupes.Count(), 0);
    EXPECT_EQ(model.Counts.MaxIndent, 1);
    EXPECT_EQ(model.Counts.AssyCount, 1);
    EXPECT_EQ(model.Counts.PartCount, 0);
    EXPECT_TRUE(view.list1.empty());
    EXPECT_EQ(view.Status(), "Found 0 Unique Parts or Assemblies");
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.results,
              (std::vector<std::string>{"Max Indent\t1", "Referenced Files\t0", "Assemblies\t1",
                                        "Parts Count\t0", "Total\t1", "Missing\t0"}));
}

TEST_F(QuantityRollUp, ListRowsKeepFirstAppearanceOrderAndShowTheirCount) {
    inventor.AddAssembly(kTop);
    inventor.AddPart(kShaft);
    inventor.AddPart(kBolt);
    inventor.AddOccurrence(kTop, "Bolt:1", kBolt);
    for (int i = 1; i <= 12; ++i) {
        inventor.AddOccurrence(kTop, "Shaft:" + std::to_string(i), kShaft);
    }
    Load(kTop);

    EXPECT_EQ(view.list1, (std::vector<std::string>{"(1)\t" + kBolt, "(12)\t" + kShaft}));
    EXPECT_EQ(view.Status(), "Found 2 Unique Parts or Assemblies");
    EXPECT_EQ(listing.EntryOfRow(1)->FileName, kShaft);
    EXPECT_EQ(listing.EntryOfRow(2), nullptr);
    EXPECT_EQ(listing.EntryOfRow(-1), nullptr);
}

TEST_F(QuantityRollUp, RowsSkipMissingComponentsButStillReachTheirOwnEntry) {
    inventor.AddAssembly(kTop);
    inventor.AddPart(kShaft);
    inventor.AddOccurrence(kTop, "Lost:1", "C:\\Work\\Lost.ipt");
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    Load(kTop);

    EXPECT_EQ(view.list1, (std::vector<std::string>{"(1)\t" + kShaft}));
    ASSERT_NE(listing.EntryOfRow(0), nullptr);
    EXPECT_EQ(listing.EntryOfRow(0)->FileName, kShaft);
    EXPECT_EQ(view.Status(), "Found 1 Unique Parts or Assemblies");
}

TEST_F(QuantityRollUp, ASecondLoadOfTheSameFileGivesTheSameModelNotADoubledOne) {
    inventor.AddAssembly(kTop);
    inventor.AddPart(kShaft);
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    inventor.AddOccurrence(kTop, "Shaft:2", kShaft);
    Load(kTop);
    Load(kTop);

    EXPECT_EQ(model.FileData.Count(), 3);
    EXPECT_EQ(model.Dupes.Count(), 1);
    EXPECT_EQ(EntryQuantity(kShaft), 2);
    EXPECT_EQ(view.list1.size(), 1u);
    EXPECT_EQ(inventor.ServersCreated(), 2);
}

} // namespace
} // namespace pw::model
