#include "partwright/batch/BatchExport.h"
#include "partwright/model/AssemblyLoader.h"
#include "standins/inventor/StandinInventor.h"
#include "tests/fakes/MemoryFiles.h"
#include "tests/fakes/RecordingView.h"
#include "tests/unit/standins/Samples.h"

#include <gtest/gtest.h>

// References found through the user's Inventor project: a library part under the project's
// library path, a part under its workspace; neither beside the assembly.
namespace pw::batch {
namespace {

class ProjectTest : public ::testing::Test {
protected:
    const std::string samples = tests::SamplesFolder();
    const std::string rack = samples + "\\Project\\Designs\\Racks\\Rack.iam";
    const std::string frames = samples + "\\Project\\Frames.ipj";
    standins::StandinInventor servers = standins::StandinInventor::OverFiles(samples);
    fakes::MemoryFiles files;
    std::vector<std::string> lines;

    int Run(std::optional<std::string> project) {
        BatchOptions options;
        options.assemblies = {rack};
        options.project = std::move(project);
        options.outFolder = "D:\\Out";
        options.force = true;
        lines.clear();
        return BatchExport(options, servers, files,
                           [&](const std::string& line) { lines.push_back(line); })
            .Run();
    }
};

TEST_F(ProjectTest, LibraryAndWorkspacePartsAreFoundThroughTheProjectGivenAndMissingWithout) {
    EXPECT_EQ(Run(std::nullopt), kAllWritten);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_NE(lines[0].find(", 6 missing,"), std::string::npos) << lines[0];
    EXPECT_EQ(lines.end()[-2],
              "Project: \"Default\", Inventor's default project, which has no file");

    EXPECT_EQ(Run(frames), kAllWritten);
    EXPECT_NE(lines[0].find("2 unique files, 0 missing"), std::string::npos) << lines[0];
    EXPECT_EQ(lines.end()[-2], "Project: Frames (" + frames + ")");
    // Activated for the run alone: the user's default project is as it was.
    EXPECT_EQ(servers.Defaults().projectFile, "");
}

TEST_F(ProjectTest, AProjectThatCannotBeUsedStopsTheRunBeforeAnythingIsWritten) {
    EXPECT_EQ(Run(samples + "\\Project\\Nowhere.ipj"), kSomeFailed);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("partwright-export: the project " + samples +
                                 "\\Project\\Nowhere.ipj cannot be used, so nothing was "
                                 "exported: The project file ",
                             0),
              0u)
        << lines[0];
    EXPECT_TRUE(files.files.empty());
}

// Apprentice refuses to change the project while a document is open; the program never asks
// that of it, as it activates before it opens anything.
TEST_F(ProjectTest, AProjectIsNotActivatedWhileADocumentIsOpen) {
    const auto server = servers.Create("Inventor.ApprenticeServer");
    {
        const auto open = server->Open(samples + "\\Gearbox.iam");
        EXPECT_THROW(server->ActivateProject(frames), Failure);
        EXPECT_EQ(server->ActiveProject().name, "Default");
    }
    EXPECT_EQ(server->ActivateProject(frames).name, "Frames");
}

// The window's words for missing files come first, then the project they were looked for
// through, so that the user knows what to fix.
TEST_F(ProjectTest, TheWindowsMissingFilesMessageNamesTheActiveProject) {
    servers.Defaults().projectFile = frames;
    const std::string lost = samples + "\\Gearbox.iam";
    model::BomModel model;
    model::QuantityListing listing;
    fakes::RecordingView view;
    view.fileNameText = lost;
    model::AssemblyLoader(model, listing, view, servers).LoadAssembly();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text,
              "1 Parts or Assemblies Missing, Pleae check your project setup\r\n\r\nThe active "
              "project is Frames (" +
                  frames + ").");
}

} // namespace
} // namespace pw::batch
