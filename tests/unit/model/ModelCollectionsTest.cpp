#include "partwright/model/colDupes.h"
#include "partwright/model/colFileData.h"
#include "shared/core/CaseFold.h"

#include <gtest/gtest.h>

namespace pw::model {
namespace {

std::shared_ptr<clsDupe> Entry(const std::string& name, std::int16_t quantity) {
    return std::make_shared<clsDupe>(clsDupe{name, quantity});
}

TEST(colDupes, FindsEntriesWithoutRegardToLetterCase) {
    colDupes dupes;
    dupes.Add(Entry("C:\\Work\\Shaft.ipt", 1), "C:\\Work\\Shaft.ipt");
    dupes.Add(Entry("C:\\Work\\Ärmel.ipt", 1), "C:\\Work\\Ärmel.ipt");

    ASSERT_NE(dupes.Find("c:\\WORK\\shaft.IPT"), nullptr);
    EXPECT_EQ(dupes.Find("c:\\WORK\\shaft.IPT")->FileName, "C:\\Work\\Shaft.ipt");
    EXPECT_NE(dupes.Find("C:\\WORK\\ÄRMEL.IPT"), nullptr);
    EXPECT_NE(dupes.Find("c:\\work\\ärmel.ipt"), nullptr);
    EXPECT_EQ(dupes.Find("C:\\Work\\Bolt.ipt"), nullptr);
}

TEST(colDupes, KeepsOrderOfAdditionAndPositionsFromOne) {
    colDupes dupes;
    for (const char* name : {"b", "a", "c"}) {
        dupes.Add(Entry(name, 1), name);
    }
    EXPECT_EQ(dupes.Count(), 3);
    EXPECT_EQ(dupes.Item(1)->FileName, "b");
    EXPECT_EQ(dupes.Item(3)->FileName, "c");
    EXPECT_EQ(dupes.Item(0), nullptr);
    EXPECT_EQ(dupes.Item(4), nullptr);

    dupes.RemoveFirst();
    EXPECT_EQ(dupes.Item(1)->FileName, "a");
    EXPECT_EQ(dupes.Find("B"), nullptr);
    dupes.Add(Entry("B", 2), "B"); // its key is free again
    EXPECT_EQ(dupes.Item(3)->Quantity, 2);
}

TEST(colDupes, RefusesASecondEntryUnderTheSameKey) {
    colDupes dupes;
    dupes.Add(Entry("a", 1), "A");
    EXPECT_THROW(dupes.Add(Entry("a", 1), "a"), std::logic_error);
    EXPECT_EQ(dupes.Count(), 1);
}

TEST(colFileData, KeepsRecordsInOrderAndRemovesFromTheFront) {
    colFileData records;
    for (std::int16_t depth = 1; depth <= 3; ++depth) {
        auto record = std::make_shared<clsFileData>();
        record->Depth = depth;
        records.Add(record);
    }
    EXPECT_EQ(records.Count(), 3);
    EXPECT_EQ(records.Item(2)->Depth, 2);
    records.RemoveFirst();
    EXPECT_EQ(records.Item(1)->Depth, 2);
    EXPECT_EQ(records.Item(3), nullptr);
    records.Clear();
    EXPECT_EQ(records.Count(), 0);
}

TEST(FoldCase, FoldsTheLettersOfWesternAndCyrillicPaths) {
    EXPECT_EQ(FoldCase("C:\\ÀÉÎÕÜ\\ŁŻ\\ДЁ\\ΣΩ"), "c:\\àéîõü\\łż\\дё\\σω");
    EXPECT_EQ(FoldCase("×"), "×");               // the multiplication sign has no case
    EXPECT_EQ(FoldCase("\xFF\xC3"), "\xFF\xC3"); // stray bytes are kept
    EXPECT_EQ(FoldCase("😀A"), "😀a");
}

} // namespace
} // namespace pw::model
