#include "standins/inventor/StandinInventor.h"

#include "Samples.h"
#include "partwright/model/AssemblyLoader.h"
#include "standins/inventor/StandinFiles.h"
#include "tests/fakes/RecordingView.h"

#include <fstream>
#include <gtest/gtest.h>

namespace pw::standins {
namespace {

using tests::SamplesFolder;

const std::string kSummarySet = "{F29F85E0-4FF9-1068-AB91-08002B27B3D9}";

TEST(ResolvePath, JoinsRelativeReferencesAndKeepsTheirCase) {
    EXPECT_EQ(ResolvePath("Z:\\a\\Sub Assemblies", "../Parts/Shaft.ipt"),
              "Z:\\a\\Parts\\Shaft.ipt");
    EXPECT_EQ(ResolvePath("Z:\\a", ".\\B\\c.IPT"), "Z:\\a\\B\\c.IPT");
    EXPECT_EQ(ResolvePath("Z:\\a", "C:\\Other\\x.ipt"), "C:\\Other\\x.ipt");
    EXPECT_EQ(FolderOf("Z:\\a\\b.iam"), "Z:\\a");
}

class StandinReader : public testing::Test {
protected:
    std::shared_ptr<inventor::Server> server = MakeStandinServer(SamplesFolder());
    std::string top = SamplesFolder() + "\\Gearbox.iam";
};

TEST_F(StandinReader, OpensADocumentWithWhatApprenticeReports) {
    const auto document = server->Open(top);
    EXPECT_EQ(document->FullFileName(), top);
    EXPECT_EQ(document->DisplayName(), "Gearbox");
    EXPECT_EQ(document->DocumentType(), inventor::kAssemblyDocument);
    EXPECT_EQ(document->Version(), 11000);
    EXPECT_FALSE(document->NeedsMigration());
    EXPECT_EQ(document->PropertyValue(kSummarySet, 4), Value{"A. Author"});
    EXPECT_EQ(document->PropertyValue("Inventor Summary Information", 9), Value{"B"});
    EXPECT_EQ(document->PropertyValue("{32853F0F-3444-11D1-9E93-0060B03C1CA6}", 5),
              Value{"GB-100"});
    EXPECT_EQ(document->PropertyValue("Design Tracking Properties", 40), Value{2});
    EXPECT_EQ(document->PropertyValue("Design Tracking Properties", 99), std::nullopt);
    EXPECT_EQ(document->PropertyValue("No Such Set", 1), std::nullopt);
    const auto picture = std::dynamic_pointer_cast<StandinPicture>(document->Thumbnail());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->ImageFile(), SamplesFolder() + "\\Gearbox.bmp");
    EXPECT_EQ(server->StartFolder(), SamplesFolder());
}

TEST_F(StandinReader, AMissingReferenceAnswersEFailButKeepsItsName) {
    const auto items = server->Open(top)->ComponentDefinition()->Occurrences()->Items();
    ASSERT_EQ(items.size(), 9u);
    const auto& gasket = items.back();
    EXPECT_EQ(gasket->Name(), "Gasket:1");
    try {
        gasket->Definition();
        FAIL() << "a missing file was reached";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), kEFail);
    }
    EXPECT_THROW(gasket->SubOccurrences(), Failure);
    EXPECT_EQ(items[2]->Transformation()->Cell(1, 2), -1.0);
    EXPECT_EQ(items[2]->Definition()->Document()->FullFileName(),
              SamplesFolder() + "\\Sub Assemblies\\Shaft Assembly.iam");
}

TEST_F(StandinReader, OnlyAnAssemblysDefinitionHasOccurrences) {
    const auto part = server->Open(SamplesFolder() + "\\Parts\\Shaft.ipt");
    try {
        part->ComponentDefinition()->Occurrences();
        FAIL() << "a part's definition listed occurrences";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), static_cast<ResultCode>(0x80020003u)); // member not found
    }
    EXPECT_EQ(part->ComponentDefinition()->Document()->DisplayName(), "Shaft.ipt");
}

TEST_F(StandinReader, FilesThatAreNotStandinDocumentsCannotBeOpened) {
    EXPECT_THROW(server->Open(SamplesFolder() + "\\Nowhere.iam"), Failure);
    EXPECT_THROW(server->Open(SamplesFolder() + "\\Gearbox.bmp"), Failure);
    const std::string broken = testing::TempDir() + "broken.iam";
    std::ofstream(broken) << "{\"type\": \"assembly\", \"occurrences\": [{\"file\": 1}]}";
    EXPECT_THROW(server->Open(WindowsPathOf(broken)), Failure);
}

// As Apprentice keeps a document open once opened, a server reads each file once while its top
// document stays; opening a top document again sees the files as they are now.
TEST(StandinReaderFiles, AreReadOncePerTopDocumentAndAgainForTheNext) {
    const std::string folder = testing::TempDir();
    const auto part = [&](const std::string& number) {
        std::ofstream(folder + "part.ipt")
            << R"({"type": "part", "propertySets": {"Design Tracking Properties": {"5": ")"
            << number << R"("}}})";
    };
    std::ofstream(folder + "top.iam") << R"({"type": "assembly", "occurrences": [
        {"name": "P:1", "file": "part.ipt"}, {"name": "P:2", "file": "part.ipt"}]})";
    part("A");
    const auto server = MakeStandinServer(folder);
    const auto numberOf = [](const std::shared_ptr<inventor::Occurrence>& occurrence) {
        return occurrence->Definition()->Document()->PropertyValue("Design Tracking Properties", 5);
    };
    const auto first = server->Open(WindowsPathOf(folder + "top.iam"));
    const auto items = first->ComponentDefinition()->Occurrences()->Items();
    EXPECT_EQ(numberOf(items[0]), Value{"A"});
    part("B");
    EXPECT_EQ(numberOf(items[1]), Value{"A"}); // the part as opened
    const auto again = server->Open(WindowsPathOf(folder + "top.iam"));
    EXPECT_EQ(numberOf(again->ComponentDefinition()->Occurrences()->Items()[0]), Value{"B"});
}

TEST(StandinInventor, StartsOnlyApprentice) {
    auto factory = StandinInventor::OverFiles(SamplesFolder());
    EXPECT_NE(factory.Create("Inventor.ApprenticeServer"), nullptr);
    EXPECT_THROW(factory.Create("Excel.Application"), Failure);
}

// The samples as a user loads them.
TEST(StandinSamples, TheGearboxLoadsIntoTheModelUsersExpect) {
    auto factory = StandinInventor::OverFiles(SamplesFolder());
    fakes::RecordingView view;
    model::BomModel model;
    model::QuantityListing listing;
    model::AssemblyLoader loader(model, listing, view, factory);
    view.fileNameText = SamplesFolder() + "\\Gearbox.iam";
    loader.LoadAssembly();

    EXPECT_EQ(model.FileData.Count(), 18);
    EXPECT_EQ(model.Counts.MaxIndent, 3);
    EXPECT_EQ(model.Counts.AssyCount, 3);
    EXPECT_EQ(model.Counts.PartCount, 14);
    EXPECT_EQ(model.Counts.MissingCount, 1);
    const std::string parts = SamplesFolder() + "\\Parts\\";
    EXPECT_EQ(view.list1, (std::vector<std::string>{
                              "(1)\t" + parts + "Base Plate.ipt",
                              "(2)\t" + SamplesFolder() + "\\Sub Assemblies\\Shaft Assembly.iam",
                              "(2)\t" + parts + "Shaft.ipt",
                              "(4)\t" + parts + "Bearing 6204.ipt",
                              "(6)\t" + parts + "Bolt M8.ipt",
                              "(1)\t" + parts + "Cover.ipt",
                          }));
    EXPECT_EQ(model.Dupes.Find("<Gasket:1>")->Quantity, -1);
    EXPECT_EQ(view.messages.at(0).text,
              "1 Parts or Assemblies Missing, Pleae check your project setup\r\n\r\nThe "
              "active project is \"Default\", Inventor's default project, which has no file.");
    const auto basePlate = model.FileData.Item(2);
    EXPECT_EQ(basePlate->Partnumber, Value{"00123"});
    EXPECT_EQ(basePlate->Description, "=Machined base plate, 20 mm");
    EXPECT_DOUBLE_EQ(std::get<double>(basePlate->Weight), 7.85 * 1440.0);
    EXPECT_EQ(model.FileData.Item(7)->Partnumber, Value{""}); // a bolt
    EXPECT_EQ(view.thumbnails.at(0), SamplesFolder() + "\\Gearbox.iam");
}

} // namespace
} // namespace pw::standins
