#include "partwright/shell/Advapi32Registry.h"
#include "partwright/shell/WindowsShellHost.h"
#include "partwright/shell/cRegistry.h"
#include "partwright/shell/modRegCommandLine.h"
#include "shared/com/TextConvert.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace pw::shell {
namespace {

// Reads a value back through the wide entry points, independently of the accessor.
struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool found = false;
};

RawValue ReadRaw(HKEY root, const std::wstring& key, const std::wstring& name) {
    RawValue value;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return value;
    }
    DWORD size = 0;
    if (RegQueryValueExW(opened, name.c_str(), nullptr, &value.type, nullptr, &size) ==
        ERROR_SUCCESS) {
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        RegQueryValueExW(opened, name.c_str(), nullptr, &value.type,
                         reinterpret_cast<BYTE*>(data.data()), &size);
        value.found = true;
        if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
            value.bytes = com::WideToUtf8(data.c_str());
        } else {
            value.bytes.assign(reinterpret_cast<const char*>(data.data()), size);
        }
    }
    RegCloseKey(opened);
    return value;
}

// Each test works in a scratch key of its own under HKEY_CURRENT_USER, removed afterwards.
class RealRegistry : public testing::Test {
protected:
    Advapi32Registry api;
    cRegistry accessor{api, "win32_tests"};
    std::string section;

    void SetUp() override {
        section = "Software\\PartwrightTests\\" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(GetTickCount());
        accessor.ClassKey(kCurrentUser);
        accessor.SectionKey(section);
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, com::Utf8ToWide(section).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\PartwrightTests");
    }
    RawValue Raw(const std::string& name) {
        return ReadRaw(HKEY_CURRENT_USER, com::Utf8ToWide(section), com::Utf8ToWide(name));
    }
    // Stores bytes as given, through the ANSI entry point the accessor reads with.
    void Store(const std::string& key, const std::string& name, DWORD type,
               const std::string& bytes) {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), type, bytes.data(),
                                  static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }
    RegValue Read(const std::string& name) {
        accessor.ValueKey(name);
        return accessor.Value();
    }
    // Runs a member that must raise, and returns what it raised.
    template <class Member> static RaisedError RaisedBy(Member member) {
        try {
            member();
        } catch (const RaisedError& error) {
            return error;
        }
        ADD_FAILURE() << "nothing was raised";
        return RaisedError(0, "", "");
    }
};

TEST_F(RealRegistry, CreatesKeysAndFindsThemWithoutRegardToCase) {
    EXPECT_FALSE(accessor.KeyExists());
    EXPECT_TRUE(accessor.CreateKey());
    EXPECT_TRUE(accessor.KeyExists());
    accessor.SectionKey("SOFTWARE\\PARTWRIGHTTESTS");
    EXPECT_TRUE(accessor.KeyExists());
}

TEST_F(RealRegistry, AFreshAccessorNamesNoRootAndFailsEveryOperation) {
    cRegistry fresh(api, "win32_tests");
    EXPECT_EQ(fresh.ClassKey(), 0);
    fresh.SectionKey("Inventor.AssemblyDocument");
    EXPECT_FALSE(fresh.KeyExists());
    EXPECT_EQ(fresh.Value(), RegValue{});
    const RaisedError error = RaisedBy([&] { fresh.CreateKey(); });
    EXPECT_EQ(error.code(), 26001);
    EXPECT_EQ(error.source(), "win32_tests.cRegistry");
    EXPECT_STREQ(error.what(), "Failed to create registry Key: 'Inventor.AssemblyDocument");
}

TEST_F(RealRegistry, StoresTextAsRegSzUnlessItNamesAVariable) {
    accessor.ValueType(static_cast<std::int32_t>(kRegSz));
    const auto storedType = [&](const std::string& name, const std::string& text) {
        accessor.ValueKey(name);
        accessor.Value(RegValue{text});
        return Raw(name).type;
    };
    EXPECT_EQ(storedType("plain", "C:\\Tools\\Partwright.exe \"%1\""), DWORD{REG_SZ});
    EXPECT_EQ(storedType("expand", "%SystemRoot%\\system32"), DWORD{REG_EXPAND_SZ});
    EXPECT_EQ(storedType("adjacent", "100%% sure"), DWORD{REG_SZ});
    EXPECT_EQ(storedType("spaced", "a%b%c"), DWORD{REG_EXPAND_SZ});
    accessor.ValueKey("");
    accessor.Value(RegValue{std::string("Müller")});

    EXPECT_EQ(Raw("plain").bytes, "C:\\Tools\\Partwright.exe \"%1\"");
    EXPECT_EQ(Raw("").bytes, "Müller");
    EXPECT_EQ(Read(""), RegValue{std::string("Müller")});
}

TEST_F(RealRegistry, ReadsTextLessItsTerminatorAndExpandsVariables) {
    Store(section, "empty", REG_SZ, std::string(1, '\0'));
    Store(section, "", REG_SZ, std::string("Default text") + '\0');
    Store(section, "multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
    Store(section, "bare", REG_SZ, "no terminator");
    Store(section, "nothing", REG_SZ, "");
    SetEnvironmentVariableW(L"PW_TEST_ROOT", L"C:\\windows");
    Store(section, "path", REG_EXPAND_SZ, std::string("%pw_test_root%\\x;%PW_UNSET%") + '\0');

    EXPECT_EQ(Read("empty"), RegValue{std::string()});
    EXPECT_EQ(Read(""), RegValue{std::string("Default text")});
    EXPECT_EQ(accessor.ValueType(), static_cast<std::int32_t>(kRegSz));
    EXPECT_EQ(Read("multi"), RegValue{std::string("a\0b\0", 4)});
    EXPECT_EQ(accessor.ValueType(), static_cast<std::int32_t>(kRegMultiSz));
    EXPECT_EQ(Read("bare"), RegValue{std::string("no terminator")});
    EXPECT_EQ(Read("nothing"), RegValue{std::string()});
    EXPECT_EQ(Read("path"), RegValue{std::string("C:\\windows\\x;%PW_UNSET%")});
    EXPECT_EQ(accessor.ValueType(), static_cast<std::int32_t>(kRegExpandSz));
    EXPECT_EQ(accessor.ExpandEnvironmentText("%Pw_Test_Root%"), "C:\\windows");
}

TEST_F(RealRegistry, DwordsAreLittleEndianAndBigEndianOnesAreReversedOnRead) {
    accessor.ValueKey("count");
    accessor.ValueType(static_cast<std::int32_t>(kRegDwordBigEndian));
    accessor.Value(RegValue{std::int32_t{0x01020304}});
    EXPECT_EQ(Raw("count").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(Raw("count").bytes, std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(accessor.Value(), RegValue{std::int32_t{0x01020304}});

    accessor.ValueType(static_cast<std::int32_t>(kRegDword));
    accessor.Value(RegValue{std::int16_t{-2}});
    EXPECT_EQ(accessor.Value(), RegValue{std::int32_t{-2}});

    Store(section, "big", REG_DWORD_BIG_ENDIAN, std::string("\0\0\x01\x02", 4));
    EXPECT_EQ(Read("big"), RegValue{std::int32_t{0x0102}});
    EXPECT_EQ(cRegistry::ReverseBytes(0x11223344), 0x44332211);
}

TEST_F(RealRegistry, OtherTypesAreReadAndWrittenAsTheirBytes) {
    Store(section, "blob", REG_BINARY, std::string("\0\xff\x07", 3));
    EXPECT_EQ(Read("blob"), (RegValue{Bytes{0, 255, 7}}));
    accessor.ValueKey("copy");
    accessor.Value(RegValue{Bytes{9, 8}});
    EXPECT_EQ(Raw("copy").type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(Raw("copy").bytes, "\x09\x08");
}

TEST_F(RealRegistry, AMissingValueGivesTheDefaultAndKeepsTheType) {
    accessor.CreateKey();
    accessor.ValueType(static_cast<std::int32_t>(kRegBinary));
    EXPECT_EQ(Read("absent"), RegValue{});
    accessor.Default(RegValue{std::string("fallback")});
    EXPECT_EQ(Read("absent"), RegValue{std::string("fallback")});
    EXPECT_EQ(accessor.ValueType(), static_cast<std::int32_t>(kRegBinary));
}

TEST_F(RealRegistry, AWriteThatCannotBeStoredRaisesAndLeavesTheOldValue) {
    accessor.ValueKey("kept");
    accessor.ValueType(static_cast<std::int32_t>(kRegSz));
    accessor.Value(RegValue{std::string("old")});

    accessor.ValueType(static_cast<std::int32_t>(kRegMultiSz));
    RaisedError error = RaisedBy([&] { accessor.Value(RegValue{std::string("new")}); });
    EXPECT_EQ(error.code(), static_cast<std::int32_t>(0x800469A9u));
    EXPECT_EQ(error.source(), "win32_tests.cRegistry");
    EXPECT_EQ(std::string(error.what()),
              "Failed to set registry value Key: '-2147483647',Section: '" + section +
                  "',Key: 'kept' to value: 'new'");

    // A number cannot be stored as a DWORD from text: said, not silently dropped.
    accessor.ValueType(static_cast<std::int32_t>(kRegDword));
    error = RaisedBy([&] { accessor.Value(RegValue{std::string("12")}); });
    EXPECT_EQ(error.code(), static_cast<std::int32_t>(0x800469A9u));

    accessor.ValueType(static_cast<std::int32_t>(kRegBinary));
    error = RaisedBy([&] { accessor.Value(RegValue{std::string("bytes?")}); });
    EXPECT_EQ(error.code(), 26001);

    EXPECT_EQ(Raw("kept").bytes, "old");
}

// The registry refuses a lasting key below a volatile one, as it refuses a write not allowed.
TEST_F(RealRegistry, RefusedWritesRaiseWithTheRootAsASignedNumber) {
    HKEY volatileKey = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, com::Utf8ToWide(section).c_str(), 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &volatileKey, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(volatileKey);
    accessor.SectionKey(section + "\\SHELL\\Partwright\\Command");
    accessor.ValueKey("");
    accessor.ValueType(static_cast<std::int32_t>(kRegSz));
    const RaisedError error = RaisedBy([&] { accessor.Value(RegValue{std::string("x")}); });
    EXPECT_EQ(error.code(), 26001);
    EXPECT_EQ(std::string(error.what()),
              "Failed to set registry value Key: '-2147483647',Section: '" + section +
                  "\\SHELL\\Partwright\\Command',Key: '' to value: 'x'");
    EXPECT_FALSE(accessor.KeyExists());
}

TEST_F(RealRegistry, EnumeratesValueNamesAndSubKeys) {
    accessor.CreateKey();
    std::vector<std::string> names{"stale"};
    std::int32_t count = 99;
    EXPECT_TRUE(accessor.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(accessor.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);

    Store(section, "First", REG_SZ, std::string(1, '\0'));
    Store(section, "A much longer name", REG_SZ, std::string(1, '\0'));
    Store(section + "\\Beta", "", REG_SZ, std::string(1, '\0'));
    Store(section + "\\alpha", "", REG_SZ, std::string(1, '\0'));
    EXPECT_TRUE(accessor.EnumerateValues(names, count));
    EXPECT_EQ(count, 2);
    std::ranges::sort(names); // values come in no order of their own
    EXPECT_EQ(names, (std::vector<std::string>{"A much longer name", "First"}));
    EXPECT_TRUE(accessor.EnumerateSections(names, count));
    EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Beta"}));
    EXPECT_EQ(count, 2);
}

TEST_F(RealRegistry, DeletesValuesAndKeysAndSaysWhatCouldNotBeDeleted) {
    accessor.ValueKey("gone");
    accessor.ValueType(static_cast<std::int32_t>(kRegSz));
    accessor.Value(RegValue{std::string("x")});
    EXPECT_TRUE(accessor.DeleteValue());
    EXPECT_FALSE(Raw("gone").found);

    RaisedError error = RaisedBy([&] { accessor.DeleteValue(); });
    EXPECT_EQ(error.code(), 26001);
    EXPECT_EQ(std::string(error.what()),
              "Failed to delete registry Key: '-2147483647',Section: '" + section + "',Key: 'gone");

    const std::string nowhere = section + "\\Nowhere";
    accessor.SectionKey(nowhere);
    error = RaisedBy([&] { accessor.DeleteValue(); });
    EXPECT_EQ(std::string(error.what()),
              "Failed to open key '-2147483647',Section: '" + nowhere + "' for delete access");
    error = RaisedBy([&] { accessor.DeleteKey(); });
    EXPECT_EQ(std::string(error.what()),
              "Failed to delete registry Key: '-2147483647',Section: '" + nowhere);

    accessor.SectionKey(section);
    EXPECT_TRUE(accessor.DeleteKey());
    EXPECT_FALSE(accessor.KeyExists());
}

// Associations of a class of this test's own, under both roots, removed afterwards.
class RealAssociation : public RealRegistry {
protected:
    const std::string className = "PartwrightTest.Viewer" + std::to_string(GetCurrentProcessId());
    const std::string extension = "pwt" + std::to_string(GetCurrentProcessId());

    void TearDown() override {
        for (const std::string& key : {className, "." + extension}) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, com::Utf8ToWide(key).c_str());
            RegDeleteTreeW(HKEY_LOCAL_MACHINE,
                           com::Utf8ToWide("SOFTWARE\\Classes\\" + key).c_str());
        }
        RealRegistry::TearDown();
    }
    std::string Text(HKEY root, const std::string& key) const {
        const RawValue value = ReadRaw(root, com::Utf8ToWide(key), L"");
        return value.found ? value.bytes : "<absent>";
    }
};

TEST_F(RealAssociation, AnExeAssociationIsWrittenUnderBothRootsWithTheProgramQuotedOnce) {
    accessor.CreateEXEAssociation("  C:\\Tools\\Viewer.exe ", className, "Viewer document",
                                  extension, "", true, "", false, "&New", true, "", 2);
    for (const auto& [root, prefix] :
         {std::pair{HKEY_CLASSES_ROOT, std::string()},
          std::pair{HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\Classes\\")}}) {
        const std::string shell = prefix + className + "\\shell\\";
        EXPECT_EQ(Text(root, prefix + "." + extension), className);
        EXPECT_EQ(Text(root, prefix + className), "Viewer document");
        EXPECT_EQ(Text(root, shell + "open"), "&Open");
        EXPECT_EQ(Text(root, shell + "open\\command"), "\"C:\\Tools\\Viewer.exe\" \"%1\"");
        EXPECT_EQ(Text(root, shell + "print"), "&Print");
        EXPECT_EQ(Text(root, shell + "print\\command"), "\"C:\\Tools\\Viewer.exe\" /p \"%1\"");
        EXPECT_EQ(Text(root, shell + "add"), "&Install " + extension);
        EXPECT_EQ(Text(root, shell + "add\\command"), "\"C:\\Tools\\Viewer.exe\" /a \"%1\"");
        EXPECT_EQ(Text(root, shell + "new"), "<absent>");
        EXPECT_EQ(Text(root, prefix + className + "\\DefaultIcon"), "\"C:\\Tools\\Viewer.exe\",2");
    }
    EXPECT_EQ(accessor.ClassKey(), kLocalMachine);

    RegDeleteTreeW(HKEY_CLASSES_ROOT, com::Utf8ToWide(className).c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, com::Utf8ToWide("SOFTWARE\\Classes\\" + className).c_str());
    accessor.CreateEXEAssociation("\"C:\\Tools\\Other.exe\"", className, "Other", extension);
    EXPECT_EQ(Text(HKEY_CLASSES_ROOT, className + "\\shell\\open\\command"),
              "\"C:\\Tools\\Other.exe\" \"%1\"");
    EXPECT_EQ(Text(HKEY_CLASSES_ROOT, className + "\\DefaultIcon"), "<absent>");
}

TEST_F(RealAssociation, AdditionalAssociationsNeedTriplesAndAnExistingClass) {
    accessor.ClassKey(kClassesRoot);
    RaisedError error = RaisedBy([&] {
        accessor.CreateAdditionalEXEAssociations(className, {"edit", "&Edit", "cmd", "extra"});
    });
    EXPECT_EQ(error.code(), static_cast<std::int32_t>(0x800469ACu));
    EXPECT_STREQ(error.what(), "Invalid parameter list passed to CreateAdditionalEXEAssociations - "
                               "expected Name/Text/Command");
    error = RaisedBy([&] { accessor.CreateAdditionalEXEAssociations(className, {}); });
    EXPECT_EQ(error.code(), static_cast<std::int32_t>(0x800469ADu));
    EXPECT_STREQ(error.what(),
                 "Error - attempt to create additional associations before class defined.");

    RegSetKeyValueA(HKEY_CLASSES_ROOT, className.c_str(), nullptr, REG_SZ, "", 1);
    accessor.CreateAdditionalEXEAssociations(className, {});
    EXPECT_EQ(Text(HKEY_CLASSES_ROOT, className + "\\shell"), "<absent>");

    // A refused triple (a lasting key below a volatile one) does not keep the next from being
    // written.
    const std::wstring shell = com::Utf8ToWide("SOFTWARE\\Classes\\" + className + "\\shell");
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, shell.c_str(), nullptr, REG_SZ, L"", sizeof(L""));
    HKEY volatileKey = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, (shell + L"\\edit").c_str(), 0, nullptr,
                    REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &volatileKey, nullptr);
    RegCloseKey(volatileKey);
    accessor.ClassKey(kClassesRoot);
    accessor.CreateAdditionalEXEAssociations(
        className, {"edit", "&Edit", "edit.exe \"%1\"", "view", "&View", "view.exe \"%1\""});
    EXPECT_EQ(
        Text(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\" + className + "\\shell\\edit\\command"),
        "<absent>");
    EXPECT_EQ(
        Text(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\" + className + "\\shell\\view\\command"),
        "view.exe \"%1\"");
}

// A process at C:\...\scratch\Partwright.exe as far as the verb is concerned.
class ScratchHost : public WindowsShellHost {
public:
    std::string folder;
    std::vector<std::string> questions;
    std::string ExeFolder() override { return folder; }
    std::string ExeName() override { return "Partwright"; }
    int MsgBox(const std::string& text, const std::string&, int) override {
        questions.push_back(text);
        return IDNO;
    }
};

class RealShellVerb : public testing::Test {
protected:
    Advapi32Registry api;
    ScratchHost host;

    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        host.folder = com::WideToUtf8(temp) + "Partwright Verb Test";
        CreateDirectoryW(com::Utf8ToWide(host.folder).c_str(), nullptr);
        RemoveVerb();
    }
    void TearDown() override {
        RemoveVerb();
        DeleteFileW(com::Utf8ToWide(Script()).c_str());
        RemoveDirectoryW(com::Utf8ToWide(host.folder).c_str());
    }
    static void RemoveVerb() {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Inventor.AssemblyDocument");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\Inventor.AssemblyDocument");
    }
    std::string Script() const { return host.folder + "\\UnRegPartwright.reg"; }
};

TEST_F(RealShellVerb, RegistersTheVerbAndItsUninstallScript) {
    modRegCommandLine module(api, host);
    module.CheckShellVerb();
    EXPECT_TRUE(host.questions.empty());

    // The folder holds a blank, so the program path is quoted.
    const std::string expected = "\"" + host.folder + "\\Partwright.exe\" \"%1\"";
    const RawValue classes =
        ReadRaw(HKEY_CLASSES_ROOT, L"Inventor.AssemblyDocument\\SHELL\\Partwright\\Command", L"");
    EXPECT_EQ(classes.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(classes.bytes, expected);
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE,
                      L"SOFTWARE\\Classes\\Inventor.AssemblyDocument\\SHELL\\Partwright\\command",
                      L"")
                  .bytes,
              expected);

    std::ifstream script(Script(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(script)),
                           std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "REGEDIT4\r\n\r\n"
                    "[-HKEY_CLASSES_ROOT\\Inventor.AssemblyDocument\\SHELL\\Partwright]\r\n"
                    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Inventor.AssemblyDocument\\SHELL"
                    "\\Partwright]\r\n");

    module.CheckShellVerb();
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(RealShellVerb, AVerbOfAnotherProgramLeadsToTheQuestion) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, L"Inventor.AssemblyDocument\\SHELL\\Partwright\\Command",
                    nullptr, REG_SZ, L"C:\\Elsewhere\\Partwright.exe \"%1\"",
                    sizeof(L"C:\\Elsewhere\\Partwright.exe \"%1\""));
    modRegCommandLine module(api, host);
    module.CheckShellVerb();
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(
        ReadRaw(HKEY_CLASSES_ROOT, L"Inventor.AssemblyDocument\\SHELL\\Partwright\\Command", L"")
            .bytes,
        "C:\\Elsewhere\\Partwright.exe \"%1\"");
    EXPECT_EQ(GetFileAttributesW(com::Utf8ToWide(Script()).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(WindowsShellHost, TheArgumentTextFollowsTheProgramPath) {
    EXPECT_EQ(ArgumentTextOf("\"C:\\Program Files\\P\\Partwright.exe\" \"C:\\a b.iam\""),
              "\"C:\\a b.iam\"");
    EXPECT_EQ(ArgumentTextOf("C:\\Tools\\Partwright.exe   C:\\a.iam"), "C:\\a.iam");
    EXPECT_EQ(ArgumentTextOf("Partwright.exe"), "");
    WindowsShellHost host;
    EXPECT_EQ(host.ExeName(), "win32_tests");
    EXPECT_FALSE(host.ExeFolder().empty());
    EXPECT_NE(host.ExeFolder().back(), '\\');
}

} // namespace
} // namespace pw::shell
