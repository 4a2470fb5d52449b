#include "partwright/batch/AtomicFile.h"

#include "shared/core/Failure.h"
#include "tests/win32/StartedProcess.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace pw::batch {
namespace {

namespace fs = std::filesystem;

std::string Content(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = fs::path(temp) / ("atomic-file-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        target = folder / "Gearbox.xlsx";
    }
    void TearDown() override { fs::remove_all(folder); }

    // Every file of the folder but the target: a temporary file left behind.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path() != target) {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    fs::path folder;
    fs::path target;
};

TEST_F(AtomicFileTest, TheFileAppearsWholeOnCommitAndNotBefore) {
    {
        AtomicFile file(target.wstring());
        file.Write("first half, ");
        EXPECT_FALSE(fs::exists(target));
        EXPECT_TRUE(fs::exists(file.TemporaryPath()));
        file.Write("second half");
        file.Commit(false);
        EXPECT_FALSE(fs::exists(file.TemporaryPath()));
    }
    EXPECT_EQ(Content(target), "first half, second half");
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(AtomicFileTest, AnExistingFileIsReplacedOnlyWhenAsked) {
    std::ofstream(target, std::ios::binary) << "earlier";
    {
        AtomicFile file(target.wstring());
        file.Write("later");
        EXPECT_THROW(file.Commit(false), Failure);
    }
    EXPECT_EQ(Content(target), "earlier");
    EXPECT_TRUE(Leftovers().empty());
    {
        AtomicFile file(target.wstring());
        file.Write("later");
        file.Commit(true);
    }
    EXPECT_EQ(Content(target), "later");
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(AtomicFileTest, AFileAbandonedBeforeCommitIsGone) {
    std::ofstream(target, std::ios::binary) << "earlier";
    {
        AtomicFile file(target.wstring());
        file.Write("half of it");
    }
    EXPECT_EQ(Content(target), "earlier");
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(AtomicFileTest, AProcessKilledWhileWritingLeavesNoPartAndKeepsTheEarlierFile) {
    std::ofstream(target, std::ios::binary) << "earlier";
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" +
                           (fs::path(self).parent_path() / L"atomic_file_child.exe").wstring() +
                           L"\" \"" + target.wstring() + L"\"";
    const tests::StartedProcess child = tests::StartProcess(command);
    ASSERT_TRUE(child.process);
    ASSERT_EQ(WaitForSingleObject(child.process.get(), 30000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(child.process.get(), &code);
    EXPECT_EQ(code, 3u); // it died where it was meant to, in the middle of the file
    EXPECT_EQ(Content(target), "earlier");
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(AtomicFileTest, AFolderThatIsNotThereIsAFailureThatSaysSo) {
    try {
        AtomicFile file((folder / "missing" / "Gearbox.xlsx").wstring());
        FAIL() << "made a file in a folder that is not there";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("cannot create"), std::string::npos);
    }
}

} // namespace
} // namespace pw::batch
