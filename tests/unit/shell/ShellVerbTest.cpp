#include "partwright/shell/StartUp.h"
#include "partwright/shell/modRegCommandLine.h"
#include "tests/fakes/FakeShellHost.h"
#include "tests/fakes/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace pw::shell {
namespace {

const std::string kMachineKey =
    "SOFTWARE\\Classes\\Inventor.AssemblyDocument\\SHELL\\Partwright\\command";
const std::string kScript = "C:\\Tools\\UnRegPartwright.reg";
const std::string kScriptText =
    "REGEDIT4\r\n\r\n"
    "[-HKEY_CLASSES_ROOT\\Inventor.AssemblyDocument\\SHELL\\Partwright]\r\n"
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Inventor.AssemblyDocument\\SHELL\\Partwright]\r\n";
constexpr int kNo = 7;

class ShellVerbTest : public testing::Test {
protected:
    fakes::MemoryRegistry registry;
    fakes::FakeShellHost host;
    modRegCommandLine module{registry, host};

    std::string Stored(std::int32_t root, const std::string& key) const {
        const auto* value = registry.Find(root, key, "");
        if (!value) {
            return "<absent>";
        }
        EXPECT_EQ(value->type, kRegSz);
        return std::string(value->data.begin(), value->data.end() - 1);
    }
    void StoreVerb(const std::string& text) {
        Bytes data(text.begin(), text.end());
        data.push_back(0);
        registry.Store(kClassesRoot, kVerbKey, "", kRegSz, data);
    }
};

TEST_F(ShellVerbTest, AMissingVerbIsRegisteredUnderBothRootsWithoutAsking) {
    module.CheckShellVerb();

    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(Stored(kClassesRoot, kVerbKey), "C:\\Tools\\Partwright.exe \"%1\"");
    EXPECT_EQ(Stored(kLocalMachine, kMachineKey), "C:\\Tools\\Partwright.exe \"%1\"");
    EXPECT_EQ(registry.KeyNameAsCreated(kClassesRoot, kVerbKey), "Command");
    EXPECT_EQ(registry.KeyNameAsCreated(kLocalMachine, kMachineKey), "command");
    EXPECT_EQ(registry.Find(kClassesRoot, "Inventor.AssemblyDocument\\SHELL\\Partwright", ""),
              nullptr);
    EXPECT_EQ(host.files.at(kScript), kScriptText);
    EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(ShellVerbTest, AVerbPointingHereIsLeftAlone) {
    module.CheckShellVerb();
    host.files.clear();
    module.CheckShellVerb();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.files.empty());
}

TEST_F(ShellVerbTest, AProgramPathWithBlanksIsStoredQuotedAndStillPassesTheCheck) {
    host.exeFolder = "C:\\Program Files\\Partwright";
    module.CheckShellVerb();
    EXPECT_EQ(Stored(kClassesRoot, kVerbKey),
              "\"C:\\Program Files\\Partwright\\Partwright.exe\" \"%1\"");
    module.CheckShellVerb();
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ShellVerbTest, AQuotedStoredPathWithoutBlanksIsAccepted) {
    StoreVerb("  \"C:\\Tools\\Partwright.exe\" \"%1\"");
    module.CheckShellVerb();
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ShellVerbTest, AVerbPointingElsewhereAsksBeforeRepairing) {
    for (const std::string stored :
         {"C:\\Old\\Partwright.exe \"%1\"", "c:\\tools\\partwright.exe \"%1\"", ""}) {
        SCOPED_TRACE(stored);
        StoreVerb(stored);
        host.messages.clear();
        host.answers = {kNo};
        module.CheckShellVerb();
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text,
                  "Mismatch in Registry on This appliaction's associations\rDo you want it fixed");
        EXPECT_EQ(host.messages[0].caption, "Fix File Association");
        EXPECT_EQ(host.messages[0].style, 4);
        EXPECT_EQ(Stored(kClassesRoot, kVerbKey), stored);
        EXPECT_FALSE(host.files.contains(kScript));
    }
}

TEST_F(ShellVerbTest, AMissingDefaultValueAsksToo) {
    registry.Store(kClassesRoot, kVerbKey, "other", kRegSz, Bytes{0});
    module.CheckShellVerb();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(Stored(kClassesRoot, kVerbKey),
              "C:\\Tools\\Partwright.exe \"%1\""); // Yes repaired it
}

TEST_F(ShellVerbTest, RegistrationReplacesAnOldUninstallScript) {
    host.files[kScript] = "REGEDIT4\r\nsomething left from an older version\r\n";
    module.RegisterShellVerb();
    EXPECT_EQ(host.files.at(kScript), kScriptText);
}

TEST_F(ShellVerbTest, ARefusedRegistrationRaisesAndKeepsWhatWasWritten) {
    registry.DenyWrites(kLocalMachine, "SOFTWARE\\Classes");
    try {
        module.RegisterShellVerb();
        FAIL() << "the refused write was not reported";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.code(), 26001);
        EXPECT_EQ(error.source(), "Partwright.cRegistry");
        EXPECT_STREQ(error.what(), ("Failed to create registry Key: '" + kMachineKey).c_str());
    }
    EXPECT_EQ(Stored(kClassesRoot, kVerbKey), "C:\\Tools\\Partwright.exe \"%1\"");
    EXPECT_FALSE(host.files.contains(kScript));
}

// The main window's start-up, recorded.
class StartupRecorder : public StartupView {
public:
    std::string status = "Status";
    std::string fileName;
    std::vector<std::string> loads;
    void SetStatus(const std::string& text) override { status = text; }
    std::string FileNameText() override { return fileName; }
    void SetFileNameText(const std::string& text) override { fileName = text; }
    // A load writes the status line as the real one does.
    void LoadAssembly() override {
        loads.push_back(fileName);
        status = "Depth=1 Assy's=0 Parts=0 Total=0";
    }
};

TEST_F(ShellVerbTest, StartUpLoadsTheFirstArgumentAfterTheCheck) {
    StartupRecorder view;
    host.argumentText = "\"C:\\My Documents\\Gear box.iam\" --ignored";
    RunStartUp(host, module, view);
    EXPECT_EQ(view.loads, (std::vector<std::string>{"C:\\My Documents\\Gear box.iam"}));
    EXPECT_NE(registry.Find(kClassesRoot, kVerbKey, ""), nullptr);
}

TEST_F(ShellVerbTest, StartUpWithoutArgumentsOrWithAnEmptyOneLoadsNothing) {
    StartupRecorder view;
    view.fileName = "kept";
    RunStartUp(host, module, view);
    EXPECT_EQ(view.fileName, "kept");
    host.argumentText = "\"\"";
    RunStartUp(host, module, view);
    EXPECT_EQ(view.fileName, "");
    EXPECT_TRUE(view.loads.empty());
}

// The verb's failure is shown after the load, where the load's own status cannot hide it.
TEST_F(ShellVerbTest, StartUpGoesOnWhenTheVerbCannotBeRegistered) {
    registry.DenyWrites(kClassesRoot, "Inventor.AssemblyDocument");
    StartupRecorder view;
    host.argumentText = "C:\\Work\\Gearbox.iam";
    RunStartUp(host, module, view);
    EXPECT_EQ(view.status,
              "Could not register the Explorer verb: Failed to create registry Key: '" +
                  std::string(kVerbKey));
    EXPECT_EQ(view.loads, (std::vector<std::string>{"C:\\Work\\Gearbox.iam"}));
}

} // namespace
} // namespace pw::shell
