#include "partwright/shell/Advapi32Registry.h"
#include "partwright/shell/WindowsShellHost.h"
#include "partwright/shell/cRegistry.h"
#include "partwright/shell/modRegCommandLine.h"
#include "shared/com/TextConvert.h"

#include <windows.h>

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
};

TEST_F(RealRegistry, CreatesAndFindsKeys) {
    EXPECT_FALSE(accessor.KeyExists());
    EXPECT_TRUE(accessor.CreateKey());
    EXPECT_TRUE(accessor.KeyExists());
    cRegistry fresh(api, "win32_tests");
    fresh.SectionKey(section);
    EXPECT_FALSE(fresh.KeyExists());
    try {
        fresh.CreateKey();
        FAIL() << "a key was created without a root";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.code(), 26001);
        EXPECT_EQ(error.source(), "win32_tests.cRegistry");
    }
}

TEST_F(RealRegistry, StoresTextAsRegSzOrRegExpandSzByItsPercentSigns) {
    accessor.ValueType(static_cast<std::int32_t>(kRegSz));
    accessor.ValueKey("plain");
    accessor.Value(RegValue{std::string("C:\\Tools\\Partwright.exe \"%1\"")});
    accessor.ValueKey("expand");
    accessor.Value(RegValue{std::string("%SystemRoot%\\system32")});
    accessor.ValueKey("");
    accessor.Value(RegValue{std::string("Müller")});

    EXPECT_EQ(Raw("plain").type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Raw("plain").bytes, "C:\\Tools\\Partwright.exe \"%1\"");
    EXPECT_EQ(Raw("expand").type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(Raw("").bytes, "Müller");

    accessor.ValueKey("expand");
    const RegValue expanded = accessor.Value();
    ASSERT_TRUE(std::holds_alternative<std::string>(expanded));
    EXPECT_EQ(std::get<std::string>(expanded).find('%'), std::string::npos);
    EXPECT_NE(std::get<std::string>(expanded).find("\\system32"), std::string::npos);
    EXPECT_EQ(accessor.ValueType(), static_cast<std::int32_t>(kRegExpandSz));
    accessor.ValueKey("");
    EXPECT_EQ(accessor.Value(), RegValue{std::string("Müller")});
}

TEST_F(RealRegistry, DwordsAreLittleEndianAndBigEndianOnesAreReversedOnRead) {
    accessor.ValueKey("count");
    accessor.ValueType(static_cast<std::int32_t>(kRegDwordBigEndian));
    accessor.Value(RegValue{std::int32_t{0x01020304}});
    EXPECT_EQ(Raw("count").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(accessor.Value(), RegValue{std::int32_t{0x01020304}});

    const BYTE big[] = {0, 0, 1, 2};
    RegSetKeyValueW(HKEY_CURRENT_USER, com::Utf8ToWide(section).c_str(), L"big",
                    REG_DWORD_BIG_ENDIAN, big, sizeof big);
    accessor.ValueKey("big");
    EXPECT_EQ(accessor.Value(), RegValue{std::int32_t{0x0102}});
}

TEST_F(RealRegistry, MissingValuesGiveTheDefaultAndRefusedTypesRaise) {
    accessor.CreateKey();
    accessor.ValueKey("absent");
    accessor.ValueType(static_cast<std::int32_t>(kRegSz));
    EXPECT_EQ(accessor.Value(), RegValue{});
    EXPECT_EQ(accessor.ValueType(), static_cast<std::int32_t>(kRegSz));

    accessor.ValueType(static_cast<std::int32_t>(kRegMultiSz));
    try {
        accessor.Value(RegValue{std::string("x")});
        FAIL() << "an unsupported type was written";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.code(), static_cast<std::int32_t>(0x800469A9u));
        EXPECT_EQ(std::string(error.what()),
                  "Failed to set registry value Key: '-2147483647',Section: '" + section +
                      "',Key: 'absent' to value: 'x'");
    }
    EXPECT_FALSE(Raw("absent").found);
}

TEST_F(RealRegistry, EnumeratesAndDeletes) {
    accessor.ValueType(static_cast<std::int32_t>(kRegSz));
    for (const char* name : {"one", "two"}) {
        accessor.ValueKey(name);
        accessor.Value(RegValue{std::string(name)});
    }
    const std::string parent = section;
    accessor.SectionKey(parent + "\\Child");
    accessor.CreateKey();
    accessor.SectionKey(parent);

    std::vector<std::string> names;
    std::int32_t count = 0;
    EXPECT_TRUE(accessor.EnumerateValues(names, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(names, (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(accessor.EnumerateSections(names, count));
    EXPECT_EQ(names, (std::vector<std::string>{"Child"}));

    accessor.ValueKey("one");
    EXPECT_TRUE(accessor.DeleteValue());
    EXPECT_FALSE(Raw("one").found);
    accessor.SectionKey(parent + "\\Child");
    EXPECT_TRUE(accessor.DeleteKey());
    EXPECT_FALSE(accessor.KeyExists());
    EXPECT_THROW(accessor.DeleteKey(), RaisedError);
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
