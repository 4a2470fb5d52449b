#include "partwright/shell/cRegistry.h"

#include "tests/fakes/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace pw::shell {
namespace {

const std::string kSection = "Software\\Partwright\\Tests";

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

class cRegistryTest : public testing::Test {
protected:
    fakes::MemoryRegistry registry;
    cRegistry accessor{registry, "Partwright"};

    void SetUp() override {
        accessor.ClassKey(kCurrentUser);
        accessor.SectionKey(kSection);
    }
    void TearDown() override { EXPECT_EQ(registry.OpenHandles(), 0u) << "a key was left open"; }

    // Runs a member that must raise, and returns what it raised.
    template <class Member> RaisedError RaisedBy(Member member) {
        try {
            member();
        } catch (const RaisedError& error) {
            return error;
        }
        ADD_FAILURE() << "nothing was raised";
        return RaisedError(0, "", "");
    }
};

TEST_F(cRegistryTest, AFreshAccessorNamesNoRootAndFailsEveryOperation) {
    cRegistry fresh(registry, "Partwright");
    EXPECT_EQ(fresh.ClassKey(), 0);
    EXPECT_FALSE(fresh.KeyExists());
    EXPECT_EQ(fresh.Value(), RegValue{});
    fresh.SectionKey("Inventor.AssemblyDocument");
    const RaisedError error = RaisedBy([&] { fresh.CreateKey(); });
    EXPECT_EQ(error.code(), 26001);
    EXPECT_EQ(error.source(), "Partwright.cRegistry");
    EXPECT_STREQ(error.what(), "Failed to create registry Key: 'Inventor.AssemblyDocument");
}

TEST_F(cRegistryTest, CreatesKeysAndFindsThemWithoutRegardToCase) {
    EXPECT_FALSE(accessor.KeyExists());
    EXPECT_TRUE(accessor.CreateKey());
    EXPECT_TRUE(accessor.KeyExists());
    accessor.SectionKey("SOFTWARE\\PARTWRIGHT\\tests");
    EXPECT_TRUE(accessor.KeyExists());
    EXPECT_EQ(registry.KeyNameAsCreated(kCurrentUser, kSection), "Tests");
}

TEST_F(cRegistryTest, AMissingValueGivesTheDefaultAndKeepsTheType) {
    accessor.CreateKey();
    accessor.ValueKey("Absent");
    accessor.ValueType(static_cast<std::int32_t>(kRegBinary));
    EXPECT_EQ(accessor.Value(), RegValue{});
    accessor.Default(RegValue{std::string("fallback")});
    EXPECT_EQ(accessor.Value(), RegValue{std::string("fallback")});
    EXPECT_EQ(accessor.ValueType(), static_cast<std::int32_t>(kRegBinary));
}

TEST_F(cRegistryTest, TextIsStoredAsRegSzUnlessItNamesAVariable) {
    const auto storedType = [&](const std::string& name, const std::string& text) {
        accessor.ValueKey(name);
        accessor.ValueType(static_cast<std::int32_t>(kRegSz));
        accessor.Value(RegValue{text});
        return registry.Find(kCurrentUser, kSection, name)->type;
    };
    EXPECT_EQ(storedType("verb", "C:\\x.exe \"%1\""), kRegSz);
    EXPECT_EQ(storedType("expand", "%SystemRoot%\\x"), kRegExpandSz);
    EXPECT_EQ(storedType("adjacent", "100%% sure"), kRegSz);
    EXPECT_EQ(storedType("spaced", "a%b%c"), kRegExpandSz);
    EXPECT_EQ(registry.Find(kCurrentUser, kSection, "verb")->data,
              BytesOf(std::string("C:\\x.exe \"%1\"") + '\0'));
}

TEST_F(cRegistryTest, ReadsTextTypesLessTheirTerminator) {
    registry.Store(kCurrentUser, kSection, "empty", kRegSz, Bytes{0});
    registry.Store(kCurrentUser, kSection, "", kRegSz, BytesOf(std::string("Default text") + '\0'));
    registry.Store(kCurrentUser, kSection, "multi", kRegMultiSz,
                   BytesOf(std::string("a\0b\0\0", 5)));
    registry.Store(kCurrentUser, kSection, "bare", kRegSz, BytesOf("no terminator"));
    registry.Store(kCurrentUser, kSection, "nothing", kRegSz, Bytes{});

    const auto read = [&](const std::string& name) {
        accessor.ValueKey(name);
        return accessor.Value();
    };
    EXPECT_EQ(read("empty"), RegValue{std::string()});
    EXPECT_EQ(read(""), RegValue{std::string("Default text")});
    EXPECT_EQ(accessor.ValueType(), static_cast<std::int32_t>(kRegSz));
    EXPECT_EQ(read("multi"), RegValue{std::string("a\0b\0", 4)});
    EXPECT_EQ(accessor.ValueType(), static_cast<std::int32_t>(kRegMultiSz));
    EXPECT_EQ(read("bare"), RegValue{std::string("no terminator")});
    EXPECT_EQ(read("nothing"), RegValue{std::string()});
}

TEST_F(cRegistryTest, ExpandsEnvironmentReferencesOfExpandableText) {
    registry.environment["SystemRoot"] = "C:\\windows";
    registry.Store(kCurrentUser, kSection, "path", kRegExpandSz,
                   BytesOf(std::string("%SYSTEMROOT%\\x;%Unset%") + '\0'));
    accessor.ValueKey("path");
    EXPECT_EQ(accessor.Value(), RegValue{std::string("C:\\windows\\x;%Unset%")});
    EXPECT_EQ(accessor.ExpandEnvironmentText("%systemroot%"), "C:\\windows");
}

TEST_F(cRegistryTest, DwordsAreWrittenLittleEndianAndBigEndianOnesReadReversed) {
    accessor.ValueKey("count");
    accessor.ValueType(static_cast<std::int32_t>(kRegDwordBigEndian));
    accessor.Value(RegValue{std::int32_t{0x01020304}});
    const auto* stored = registry.Find(kCurrentUser, kSection, "count");
    EXPECT_EQ(stored->type, kRegDword);
    EXPECT_EQ(stored->data, (Bytes{4, 3, 2, 1}));
    EXPECT_EQ(accessor.Value(), RegValue{std::int32_t{0x01020304}});

    accessor.ValueType(static_cast<std::int32_t>(kRegDword));
    accessor.Value(RegValue{std::int16_t{-2}});
    EXPECT_EQ(accessor.Value(), RegValue{std::int32_t{-2}});

    registry.Store(kCurrentUser, kSection, "big", kRegDwordBigEndian, Bytes{0, 0, 1, 2});
    accessor.ValueKey("big");
    EXPECT_EQ(accessor.Value(), RegValue{std::int32_t{0x0102}});
    EXPECT_EQ(cRegistry::ReverseBytes(0x11223344), 0x44332211);
}

TEST_F(cRegistryTest, OtherTypesReadAsTheirStoredBytes) {
    registry.Store(kCurrentUser, kSection, "blob", kRegBinary, Bytes{0, 255, 7});
    accessor.ValueKey("blob");
    EXPECT_EQ(accessor.Value(), (RegValue{Bytes{0, 255, 7}}));
    accessor.ValueKey("copy");
    accessor.Value(RegValue{Bytes{9, 8}});
    EXPECT_EQ(registry.Find(kCurrentUser, kSection, "copy")->type, kRegBinary);
    EXPECT_EQ(registry.Find(kCurrentUser, kSection, "copy")->data, (Bytes{9, 8}));
}

TEST_F(cRegistryTest, AWriteThatCannotBeStoredRaisesAndLeavesTheOldValue) {
    accessor.ValueKey("kept");
    accessor.ValueType(static_cast<std::int32_t>(kRegSz));
    accessor.Value(RegValue{std::string("old")});

    accessor.ValueType(static_cast<std::int32_t>(kRegMultiSz));
    RaisedError error = RaisedBy([&] { accessor.Value(RegValue{std::string("new")}); });
    EXPECT_EQ(error.code(), static_cast<std::int32_t>(0x800469A9u));
    EXPECT_EQ(error.source(), "Partwright.cRegistry");
    EXPECT_STREQ(error.what(), "Failed to set registry value Key: '-2147483647',Section: "
                               "'Software\\Partwright\\Tests',Key: 'kept' to value: 'new'");

    // A number cannot be stored as a DWORD from text: said, not silently dropped.
    accessor.ValueType(static_cast<std::int32_t>(kRegDword));
    error = RaisedBy([&] { accessor.Value(RegValue{std::string("12")}); });
    EXPECT_EQ(error.code(), static_cast<std::int32_t>(0x800469A9u));

    accessor.ValueType(static_cast<std::int32_t>(kRegBinary));
    error = RaisedBy([&] { accessor.Value(RegValue{std::string("bytes?")}); });
    EXPECT_EQ(error.code(), 26001);

    EXPECT_EQ(registry.Find(kCurrentUser, kSection, "kept")->data,
              BytesOf(std::string("old") + '\0'));
}

TEST_F(cRegistryTest, RefusedWritesRaiseWithTheRootAsASignedNumber) {
    registry.DenyWrites(kClassesRoot, "Inventor.AssemblyDocument");
    accessor.ClassKey(kClassesRoot);
    accessor.SectionKey("Inventor.AssemblyDocument\\SHELL\\Partwright\\Command");
    accessor.ValueKey("");
    accessor.ValueType(static_cast<std::int32_t>(kRegSz));
    const RaisedError error = RaisedBy([&] { accessor.Value(RegValue{std::string("x")}); });
    EXPECT_EQ(error.code(), 26001);
    EXPECT_STREQ(error.what(),
                 "Failed to set registry value Key: '-2147483648',Section: "
                 "'Inventor.AssemblyDocument\\SHELL\\Partwright\\Command',Key: '' to value: 'x'");
    EXPECT_FALSE(accessor.KeyExists());
}

TEST_F(cRegistryTest, DeletesValuesAndKeysAndSaysWhatCouldNotBeDeleted) {
    accessor.ValueKey("gone");
    accessor.ValueType(static_cast<std::int32_t>(kRegSz));
    accessor.Value(RegValue{std::string("x")});
    EXPECT_TRUE(accessor.DeleteValue());
    EXPECT_EQ(registry.Find(kCurrentUser, kSection, "gone"), nullptr);

    RaisedError error = RaisedBy([&] { accessor.DeleteValue(); });
    EXPECT_EQ(error.code(), 26001);
    EXPECT_STREQ(error.what(), "Failed to delete registry Key: '-2147483647',Section: "
                               "'Software\\Partwright\\Tests',Key: 'gone");

    accessor.SectionKey("Software\\Nowhere");
    error = RaisedBy([&] { accessor.DeleteValue(); });
    EXPECT_STREQ(error.what(),
                 "Failed to open key '-2147483647',Section: 'Software\\Nowhere' for delete access");
    error = RaisedBy([&] { accessor.DeleteKey(); });
    EXPECT_STREQ(error.what(),
                 "Failed to delete registry Key: '-2147483647',Section: 'Software\\Nowhere");

    accessor.SectionKey(kSection);
    EXPECT_TRUE(accessor.DeleteKey());
    EXPECT_FALSE(accessor.KeyExists());
}

TEST_F(cRegistryTest, EnumeratesValueNamesAndSubKeys) {
    std::vector<std::string> names{"stale"};
    std::int32_t count = 99;
    EXPECT_TRUE(accessor.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(accessor.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);

    registry.Store(kCurrentUser, kSection, "First", kRegSz, Bytes{0});
    registry.Store(kCurrentUser, kSection, "A much longer name", kRegSz, Bytes{0});
    registry.Store(kCurrentUser, kSection + "\\Beta", "", kRegSz, Bytes{0});
    registry.Store(kCurrentUser, kSection + "\\alpha", "", kRegSz, Bytes{0});
    EXPECT_TRUE(accessor.EnumerateValues(names, count));
    EXPECT_EQ(names, (std::vector<std::string>{"First", "A much longer name"}));
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(accessor.EnumerateSections(names, count));
    EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Beta"}));
    EXPECT_EQ(count, 2);
}

TEST_F(cRegistryTest, AnExeAssociationIsWrittenUnderBothRootsWithTheProgramQuotedOnce) {
    accessor.CreateEXEAssociation("  C:\\Tools\\Viewer.exe ", "Viewer.Doc", "Viewer document",
                                  "vdoc", "", true, "", false, "&New", true, "", 2);
    for (const auto& [root, prefix] :
         {std::pair{kClassesRoot, std::string()},
          std::pair{kLocalMachine, std::string("SOFTWARE\\Classes\\")}}) {
        const auto text = [&](const std::string& key) {
            const auto* value = registry.Find(root, prefix + key, "");
            return value ? std::string(value->data.begin(), value->data.end() - 1) : "<absent>";
        };
        EXPECT_EQ(text(".vdoc"), "Viewer.Doc");
        EXPECT_EQ(text("Viewer.Doc"), "Viewer document");
        EXPECT_EQ(text("Viewer.Doc\\shell\\open"), "&Open");
        EXPECT_EQ(text("Viewer.Doc\\shell\\open\\command"), "\"C:\\Tools\\Viewer.exe\" \"%1\"");
        EXPECT_EQ(text("Viewer.Doc\\shell\\print"), "&Print");
        EXPECT_EQ(text("Viewer.Doc\\shell\\print\\command"), "\"C:\\Tools\\Viewer.exe\" /p \"%1\"");
        EXPECT_EQ(text("Viewer.Doc\\shell\\add"), "&Install vdoc");
        EXPECT_EQ(text("Viewer.Doc\\shell\\add\\command"), "\"C:\\Tools\\Viewer.exe\" /a \"%1\"");
        EXPECT_EQ(text("Viewer.Doc\\shell\\new"), "<absent>");
        EXPECT_EQ(text("Viewer.Doc\\DefaultIcon"), "\"C:\\Tools\\Viewer.exe\",2");
    }
    EXPECT_EQ(accessor.ClassKey(), kLocalMachine);

    accessor.CreateEXEAssociation("\"C:\\Tools\\Other.exe\"", "Other.Doc", "Other", "odoc");
    const auto* command = registry.Find(kClassesRoot, "Other.Doc\\shell\\open\\command", "");
    EXPECT_EQ(std::string(command->data.begin(), command->data.end() - 1),
              "\"C:\\Tools\\Other.exe\" \"%1\"");
    EXPECT_FALSE(registry.HasKey(kClassesRoot, "Other.Doc\\DefaultIcon"));
}

TEST_F(cRegistryTest, AdditionalAssociationsNeedTriplesAndAnExistingClass) {
    accessor.ClassKey(kClassesRoot);
    RaisedError error = RaisedBy([&] {
        accessor.CreateAdditionalEXEAssociations("Viewer.Doc", {"edit", "&Edit", "cmd", "extra"});
    });
    EXPECT_EQ(error.code(), static_cast<std::int32_t>(0x800469ACu));
    EXPECT_STREQ(error.what(), "Invalid parameter list passed to CreateAdditionalEXEAssociations - "
                               "expected Name/Text/Command");
    error = RaisedBy([&] { accessor.CreateAdditionalEXEAssociations("Viewer.Doc", {}); });
    EXPECT_EQ(error.code(), static_cast<std::int32_t>(0x800469ADu));
    EXPECT_STREQ(error.what(),
                 "Error - attempt to create additional associations before class defined.");
    EXPECT_FALSE(registry.HasKey(kClassesRoot, "Viewer.Doc\\shell"));

    registry.Store(kClassesRoot, "Viewer.Doc", "", kRegSz, Bytes{0});
    accessor.CreateAdditionalEXEAssociations("Viewer.Doc", {});
    EXPECT_FALSE(registry.HasKey(kClassesRoot, "Viewer.Doc\\shell"));

    // A refused triple does not keep the next one from being written.
    registry.DenyWrites(kLocalMachine, "SOFTWARE\\Classes\\Viewer.Doc\\shell\\edit");
    accessor.ClassKey(kClassesRoot);
    accessor.CreateAdditionalEXEAssociations(
        "Viewer.Doc", {"edit", "&Edit", "edit.exe \"%1\"", "view", "&View", "view.exe \"%1\""});
    EXPECT_NE(registry.Find(kClassesRoot, "Viewer.Doc\\shell\\edit\\command", ""), nullptr);
    EXPECT_NE(
        registry.Find(kLocalMachine, "SOFTWARE\\Classes\\Viewer.Doc\\shell\\view\\command", ""),
        nullptr);
}

} // namespace
} // namespace pw::shell
