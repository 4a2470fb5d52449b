#include "partwright/batch/AtomicFile.h"

#include "partwright/batch/SetPlacing.h"
#include "partwright/batch/WindowsOutputFiles.h"
#include "shared/com/TextConvert.h"
#include "shared/com/UniqueHandle.h"
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

// The CSV files of an assembly are one set: when the second cannot be put in place, the first is
// taken back and the files it replaced are as they were.
TEST_F(AtomicFileTest, ASetIsPutInPlaceWholeOrNotAtAll) {
    const fs::path second = folder / "B.csv";
    const fs::path third = folder / "C.csv";
    for (const fs::path& path : {target, second, third}) {
        std::ofstream(path, std::ios::binary) << "earlier";
    }
    const std::vector<OutputFile> set = {{com::WideToUtf8(target.wstring()), "new 1"},
                                         {com::WideToUtf8(second.wstring()), "new 2"},
                                         {com::WideToUtf8(third.wstring()), "new 3"}};
    WindowsOutputFiles files;
    {
        // Another program holds the second file open: it cannot be moved aside.
        const com::UniqueHandle held(CreateFileW(second.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_THROW(files.WriteAll(set, true), Failure);
    }
    for (const fs::path& path : {target, second, third}) {
        EXPECT_EQ(Content(path), "earlier") << path;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);

    // Without replacing, a file of the set that is there already keeps all of it out.
    fs::remove(target);
    fs::remove(second);
    EXPECT_THROW(files.WriteAll(set, false), Failure);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_FALSE(fs::exists(second));
    EXPECT_EQ(Content(third), "earlier");

    files.WriteAll(set, true);
    EXPECT_EQ(Content(target), "new 1");
    EXPECT_EQ(Content(second), "new 2");
    EXPECT_EQ(Content(third), "new 3");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);
}

// Putting a set back can fail too (another program holds its new files open): each file that is
// not as it was is named, with where its earlier content is, and that copy is kept.
TEST_F(AtomicFileTest, ASetThatCannotBePutBackSaysWhichFileAndKeepsItsCopy) {
    const fs::path copy = folder / "Gearbox.old";
    const fs::path added = folder / "Added.csv";
    std::ofstream(target, std::ios::binary) << "new";
    std::ofstream(copy, std::ios::binary) << "earlier";
    std::ofstream(added, std::ios::binary) << "new";
    std::string notUndone;
    {
        SetPlacing placing;
        placing.Begin(target.wstring(), copy.wstring());
        placing.Placed();
        placing.Begin(added.wstring(), L"");
        placing.Placed();
        const auto hold = [](const fs::path& path) {
            return com::UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
        };
        const com::UniqueHandle heldTarget = hold(target);
        const com::UniqueHandle heldAdded = hold(added);
        ASSERT_TRUE(heldTarget && heldAdded);
        notUndone = placing.Undo();
    }
    EXPECT_EQ(notUndone, com::WideToUtf8(added.wstring()) +
                             " was written and could not be removed again; " +
                             com::WideToUtf8(target.wstring()) +
                             " could not be put back; its earlier content is in " +
                             com::WideToUtf8(copy.wstring()));
    EXPECT_EQ(Content(copy), "earlier");

    // Nothing held: the set is put back, the copy gone into its place.
    {
        SetPlacing placing;
        placing.Begin(target.wstring(), copy.wstring());
        placing.Placed();
        placing.Begin(added.wstring(), L"");
        placing.Placed();
        EXPECT_EQ(placing.Undo(), "");
    }
    EXPECT_EQ(Content(target), "earlier");
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_FALSE(fs::exists(added));
}

// A read-only file replaced with --force leaves no copy of itself behind.
TEST_F(AtomicFileTest, AReadOnlyFileIsReplacedWithoutALeftoverCopy) {
    std::ofstream(target, std::ios::binary) << "earlier";
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    WindowsOutputFiles files;
    files.WriteAll({{com::WideToUtf8(target.wstring()), "new"}}, true);
    EXPECT_EQ(Content(target), "new");
    EXPECT_EQ(Leftovers(), std::vector<std::string>{});
}

// A name as long as a folder entry may be (255 characters) was once refused for its temporary
// name, which had the process number and ".partial" added to it.
TEST_F(AtomicFileTest, TheLongestNameIsWrittenThroughItsShortTemporaryName) {
    const fs::path longest = folder / (std::string(228, 'n') + " - Summary-Totals.csv");
    WindowsOutputFiles files;
    files.WriteAll({{com::WideToUtf8(longest.wstring()), "totals"}}, false);
    EXPECT_EQ(Content(longest), "totals");
    EXPECT_EQ(files.At(com::WideToUtf8(longest.wstring())), PathHolds::File);
    EXPECT_EQ(files.At(com::WideToUtf8(folder.wstring())), PathHolds::Other);
}

// NTFS takes these for one name each; a table that knows only some scripts does not.
TEST_F(AtomicFileTest, NamesThatDifferInTheCaseOfAnyLetterAreOneFile) {
    WindowsOutputFiles files;
    for (const auto& [upper, lower] : {std::pair{"\u0531.xlsx", "\u0561.xlsx"}, // Armenian
                                       std::pair{"\u01CD.xlsx", "\u01CE.xlsx"}, // Latin with caron
                                       std::pair{"\uFF21.xlsx", "\uFF41.xlsx"}, // full-width
                                       std::pair{"\u0394.xlsx", "\u03B4.xlsx"}}) { // Greek
        EXPECT_EQ(files.SameFileKey(std::string("C:\\Out\\") + upper),
                  files.SameFileKey(std::string("C:\\out\\") + lower))
            << upper;
    }
    EXPECT_NE(files.SameFileKey("C:\\Out\\A.xlsx"), files.SameFileKey("C:\\Out\\B.xlsx"));
}

} // namespace
} // namespace pw::batch
