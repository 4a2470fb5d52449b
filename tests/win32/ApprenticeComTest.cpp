#include "partwright/model/AssemblyLoader.h"
#include "shared/com/Dispatch.h"
#include "shared/com/VariantRead.h"
#include "shared/inventor/ComDocumentAccess.h"
#include "shared/thumbnail/LegacyThumbnailCom.h"
#include "standins/inventor/StandinInventor.h"
#include "tests/fakes/RecordingView.h"
#include "tests/unit/standins/Samples.h"
#include "tests/win32/FailureCode.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace pw::model {
namespace {

using tests::SamplesFolder;

struct Loaded {
    BomModel model;
    fakes::RecordingView view;
};

std::unique_ptr<Loaded> LoadSample(ServerFactory& servers, const std::string& sample) {
    auto loaded = std::make_unique<Loaded>();
    QuantityListing listing;
    AssemblyLoader loader(loaded->model, listing, loaded->view, servers);
    loaded->view.fileNameText = SamplesFolder() + "\\" + sample;
    loader.LoadAssembly();
    return loaded;
}

std::vector<double> Cells(Matrix* matrix) {
    std::vector<double> cells;
    for (int row = 1; matrix && row <= 4; ++row) {
        for (int column = 1; column <= 4; ++column) {
            cells.push_back(matrix->Cell(row, column));
        }
    }
    return cells;
}

// The stand-in COM server (registered in the test prefix) reached through the COM adapter gives
// the same model as the stand-in reader reached directly.
void ExpectTheSameModelOverComAsFromTheReader(const std::string& sample, std::int32_t records) {
    SCOPED_TRACE(sample);
    ComServerFactory overCom;
    auto direct = standins::StandinInventor::OverFiles(SamplesFolder());
    const auto viaCom = LoadSample(overCom, sample);
    const auto viaReader = LoadSample(direct, sample);
    const BomModel& com = viaCom->model;
    const BomModel& reader = viaReader->model;

    ASSERT_EQ(com.FileData.Count(), records);
    ASSERT_EQ(com.FileData.Count(), reader.FileData.Count());
    for (std::int32_t i = 1; i <= com.FileData.Count(); ++i) {
        SCOPED_TRACE(i);
        const clsFileData& a = *com.FileData.Item(i);
        const clsFileData& b = *reader.FileData.Item(i);
        EXPECT_EQ(a.FileName, b.FileName);
        EXPECT_EQ(a.Depth, b.Depth);
        EXPECT_EQ(a.Quantity, b.Quantity);
        EXPECT_EQ(a.Author, b.Author);
        EXPECT_EQ(a.Cost, b.Cost);
        EXPECT_EQ(a.Description, b.Description);
        EXPECT_EQ(a.Designer, b.Designer);
        EXPECT_EQ(a.Material, b.Material);
        EXPECT_EQ(a.Weight, b.Weight);
        EXPECT_EQ(a.Partnumber, b.Partnumber);
        EXPECT_EQ(a.Revision, b.Revision);
        EXPECT_EQ(a.Status, b.Status);
        EXPECT_EQ(a.Adaptive, b.Adaptive);
        EXPECT_EQ(a.Kind, b.Kind);
        EXPECT_EQ(a.BOMStructure, b.BOMStructure);
        EXPECT_EQ(a.MassOutOfDate, b.MassOutOfDate);
        EXPECT_EQ(a.PerItem, b.PerItem);
        EXPECT_EQ(Cells(a.TransMat.get()), Cells(b.TransMat.get()));
    }
    ASSERT_EQ(com.Dupes.Count(), reader.Dupes.Count());
    for (std::int32_t i = 1; i <= com.Dupes.Count(); ++i) {
        EXPECT_EQ(com.Dupes.Item(i)->FileName, reader.Dupes.Item(i)->FileName);
        EXPECT_EQ(com.Dupes.Item(i)->Quantity, reader.Dupes.Item(i)->Quantity);
        EXPECT_EQ(com.Dupes.Item(i)->Virtual, reader.Dupes.Item(i)->Virtual);
    }
    EXPECT_EQ(com.Counts.MaxIndent, reader.Counts.MaxIndent);
    EXPECT_EQ(com.Counts.AssyCount, reader.Counts.AssyCount);
    EXPECT_EQ(com.Counts.PartCount, reader.Counts.PartCount);
    EXPECT_EQ(com.Counts.MissingCount, reader.Counts.MissingCount);
    EXPECT_EQ(viaCom->view.tree.Outline(), viaReader->view.tree.Outline());
    EXPECT_EQ(viaCom->view.list1, viaReader->view.list1);
    EXPECT_EQ(viaCom->view.results, viaReader->view.results);
    for (std::int32_t node = 1; node <= records; ++node) {
        EXPECT_EQ(viaCom->view.tree.Node(node).color, viaReader->view.tree.Node(node).color);
    }
}

// Virtual components, suppressed uses and BOM structures are read by name over COM, as from
// Apprentice; the Conveyor's grease comes through as a part of its own, its guard greyed.
TEST(ApprenticeOverCom, LoadsTheSamplesIntoTheSameModelAsTheReader) {
    ExpectTheSameModelOverComAsFromTheReader("Gearbox.iam", 18);
    ExpectTheSameModelOverComAsFromTheReader("Conveyor\\Conveyor.iam", 16);
    ExpectTheSameModelOverComAsFromTheReader("Frame\\Frame.iam", 54);
}

TEST(ApprenticeOverCom, AVirtualComponentsDefinitionIsItsOwnKindAndASuppressedUseFails) {
    const auto server = ComServerFactory().Create("Inventor.ApprenticeServer");
    const auto conveyor = server->Open(SamplesFolder() + "\\Conveyor\\Conveyor.iam");
    const auto items = conveyor->ComponentDefinition()->Occurrences()->Items();
    ASSERT_EQ(items.size(), 9u);
    const auto grease = items[2]->Definition();
    EXPECT_EQ(grease->Type(), kVirtualComponentDefinition);
    EXPECT_EQ(grease->DisplayName(), "Grease");
    EXPECT_EQ(grease->Document()->FullFileName(), conveyor->FullFileName()); // as documented
    EXPECT_EQ(grease->PropertyValue("Design Tracking Properties", 5), Value{"GR-01"});
    EXPECT_EQ(grease->BOMStructure(), kNormalBOMStructure);
    EXPECT_NE(items[0]->Definition()->Type(), kVirtualComponentDefinition);
    EXPECT_EQ(items[1]->Definition()->BOMStructure(), kReferenceBOMStructure);
    EXPECT_EQ(items[8]->BOMStructure(), kReferenceBOMStructure);
    EXPECT_EQ(items[0]->BOMStructure(), kDefaultBOMStructure);

    EXPECT_TRUE(items[7]->Suppressed());
    EXPECT_FALSE(items[0]->Suppressed());
    try {
        items[7]->Definition();
        FAIL() << "a suppressed use gave its definition";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), kEFail);
    }
}

TEST(ApprenticeOverCom, AnswersAsApprenticeDoes) {
    const auto server = ComServerFactory().Create("Inventor.ApprenticeServer");
    EXPECT_EQ(server->StartFolder(), SamplesFolder());
    const auto document = server->Open(SamplesFolder() + "\\Gearbox.iam");
    EXPECT_EQ(document->DocumentType(), kAssemblyDocument);
    EXPECT_EQ(document->PropertyValue("{32853F0F-3444-11D1-9E93-0060B03C1CA6}", 36), Value{1840.0});
    EXPECT_EQ(server->NewMatrix()->Cell(4, 4), 1.0);
    const auto gasket = document->ComponentDefinition()->Occurrences()->Items().back();
    EXPECT_EQ(gasket->Name(), "Gasket:1");
    try {
        gasket->Definition();
        FAIL() << "a missing file was reached";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), kEFail);
    }
    EXPECT_THROW(server->Open(SamplesFolder() + "\\Nowhere.iam"), Failure);

    auto raw = com::DispatchObject::Create("Inventor.ApprenticeServer");
    try {
        raw.Get(0x1234567);
        FAIL() << "an unknown member answered";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), DISP_E_MEMBERNOTFOUND);
    }
}

// BOMQuantity's members are methods with out-parameters and properties, as Apprentice's are; a
// tube's length comes through in Inventor's internal units and is shown in the BOM's.
TEST(ApprenticeOverCom, ABaseQuantityIsReadThroughItsOutParameters) {
    ComServerFactory servers;
    const auto server = servers.Create("Inventor.ApprenticeServer");
    const auto tube = server->Open(SamplesFolder() + "\\Frame\\Tube 1250.ipt");
    const inventor::BaseQuantity quantity = tube->ComponentDefinition()->BOMQuantity();
    EXPECT_EQ(quantity.kind, inventor::kParameterBOMQuantity);
    EXPECT_EQ(quantity.evaluated, 125.0);
    EXPECT_EQ(quantity.baseUnits, "mm");
    EXPECT_EQ(quantity.unitQuantity, "1250.000 mm");
    const auto bolt = server->Open(SamplesFolder() + "\\Frame\\Bolt M8x20.ipt");
    EXPECT_EQ(bolt->ComponentDefinition()->BOMQuantity().kind, inventor::kEachBOMQuantity);

    auto raw = com::DispatchObject::Create("Inventor.ApprenticeServer")
                   .GetObject(0x3002502, SamplesFolder() + "\\Frame\\Tube 1250.ipt")
                   .GetObject(0x3002303)
                   .GetObject("BOMQuantity");
    // Without its out-parameter, the evaluated quantity is refused, as by Apprentice.
    EXPECT_EQ(tests::FailureCodeOf([&] { raw.Invoke(0x4005705, DISPATCH_METHOD, {}); }),
              DISP_E_BADPARAMCOUNT);
}

// A file of a later release will not open; the file still tells which release saved it, and the
// user is told that and what to do.
TEST(ApprenticeOverCom, AFileOfALaterReleaseSaysWhichAndWhatToDo) {
    ComServerFactory servers;
    const auto server = servers.Create("Inventor.ApprenticeServer");
    const std::string press = SamplesFolder() + "\\Later Release\\Press.iam";
    EXPECT_THROW(server->Open(press), Failure);
    EXPECT_EQ(server->SavedBy(press).displayVersion, "2027");
    EXPECT_EQ(server->Release().displayVersion, "2025");
    EXPECT_EQ(server->SavedBy(SamplesFolder() + "\\Gearbox.iam").major, server->Release().major);

    const auto loaded = LoadSample(servers, "Later Release\\Press.iam");
    ASSERT_EQ(loaded->view.messages.size(), 1u);
    EXPECT_EQ(loaded->view.messages[0].text,
              "Unable to open the specified file.\r\n\r\nIt was saved by Inventor 2027, a later "
              "release than this computer's Inventor Apprentice (2025), which cannot read it. Open "
              "it where Inventor 2027 or later is installed, or install Inventor View 2027 (or "
              "later) here, which brings its Apprentice.");
}

// A project activated for a run is the server's alone: the user's default project, kept per user
// in the registry, stays as it was; Apprentice's own default argument makes it the default too.
TEST(ApprenticeOverCom, AProjectIsActivatedForTheServerAloneAndNotWhileADocumentIsOpen) {
    const std::string frames = SamplesFolder() + "\\Project\\Frames.ipj";
    const auto defaultProject = [] {
        wchar_t path[1024] = {};
        DWORD size = sizeof path;
        RegGetValueW(HKEY_CURRENT_USER, L"Software\\Partwright Stand-ins\\Apprentice",
                     L"DefaultProject", RRF_RT_REG_SZ, nullptr, path, &size);
        return std::wstring(path);
    };
    const std::wstring before = defaultProject();
    ComServerFactory servers;
    const auto server = servers.Create("Inventor.ApprenticeServer");
    ASSERT_TRUE(before.empty()); // the test prefix's user has chosen no project
    EXPECT_EQ(server->ActiveProject().name, "Default");
    EXPECT_EQ(server->ActivateProject(frames).fullFileName, frames);
    EXPECT_EQ(server->ActiveProject().name, "Frames");
    EXPECT_EQ(defaultProject(), before);
    // Known already: activated as it stands, not added twice.
    EXPECT_EQ(server->ActivateProject(frames).name, "Frames");

    auto raw = com::DispatchObject::Create("Inventor.ApprenticeServer");
    auto projects = raw.GetObject("DesignProjectManager").GetObject("DesignProjects");
    const std::int32_t known = com::Int32Of(projects.Get("Count").get());
    auto project = projects.GetObject("AddExisting", frames);
    EXPECT_EQ(com::Int32Of(projects.Get("Count").get()), known + 1);
    {
        const auto open = raw.GetObject(0x3002502, SamplesFolder() + "\\Gearbox.iam");
        EXPECT_EQ(tests::FailureCodeOf([&] { project.Call("Activate", false); }), E_FAIL);
    }
    EXPECT_EQ(tests::FailureCodeOf([&] { project.Call("Activate", false); }), S_OK);
    EXPECT_EQ(defaultProject(), before);
}

// The stand-in dispatches from its type library as Apprentice does, so what the adapter gets
// wrong fails here as it would on a user's machine.
TEST(ApprenticeStandin, RefusesWhatApprenticeRefuses) {
    auto server = com::DispatchObject::Create("Inventor.ApprenticeServer");
    const com::UniqueVariant path(std::string_view(SamplesFolder() + "\\Gearbox.iam"));

    // A method invoked as a property, and a property invoked as a method, are not found.
    EXPECT_EQ(tests::FailureCodeOf([&] {
                  server.Invoke(0x3002502, DISPATCH_PROPERTYGET, {&path, 1});
              }),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(tests::FailureCodeOf([&] { server.Invoke(0x300250f, DISPATCH_METHOD, {}); }),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(tests::FailureCodeOf([&] { server.Get(0x1234567); }), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(tests::FailureCodeOf([&] { server.Get("NoSuchMember"); }), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(tests::FailureCodeOf([&] { server.Get(0x3002502); }), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(
        tests::FailureCodeOf([&] { server.Get(0x3002502, std::string("a"), std::string("b")); }),
        DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(tests::FailureCodeOf([&] { server.GetObject(0x300250f).Get(0x4004681).get(); }),
              S_OK);
    EXPECT_EQ(tests::FailureCodeOf(
                  [&] { server.GetObject(0x300250f).GetObject(0x4004681).Get(0x4000833, 1); }),
              DISP_E_BADPARAMCOUNT);

    auto assembly = server.GetObject(0x3002502, SamplesFolder() + "\\Gearbox.iam");
    auto occurrences = assembly.GetObject(0x3002303).GetObject(0x4001134);
    EXPECT_EQ(com::Int32Of(occurrences.Get("Count").get()), 9);
    EXPECT_EQ(com::TextOf(occurrences.GetObject(DISPID_VALUE, 1).Get(0x400133b).get()),
              "Base Plate:1");
    EXPECT_EQ(tests::FailureCodeOf([&] { occurrences.Get(DISPID_VALUE, 10); }), E_INVALIDARG);

    // Only an assembly's definition has occurrences.
    auto part = server.GetObject(0x3002502, SamplesFolder() + "\\Parts\\Shaft.ipt");
    auto definition = part.GetObject(0x3002303);
    EXPECT_EQ(tests::FailureCodeOf([&] { definition.Get(0x4001134); }), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(com::TextOf(definition.GetObject(0x4001136).Get(0x3002385).get()),
              SamplesFolder() + "\\Parts\\Shaft.ipt");
    // A missing property is refused with the server's code, not answered empty.
    EXPECT_EQ(tests::FailureCodeOf([&] {
                  part.GetObject(0x3002395)
                      .GetObject(DISPID_VALUE, "No Such Set")
                      .GetObject(0x3001b06, 99);
              }),
              E_INVALIDARG);
}

TEST(ApprenticeOverCom, APartOpenedAsTheAssemblyAsksForMigrationAndKeepsItsTopNode) {
    ComServerFactory overCom;
    BomModel model;
    fakes::RecordingView view;
    QuantityListing listing;
    AssemblyLoader loader(model, listing, view, overCom);
    view.fileNameText = SamplesFolder() + "\\Parts\\Shaft.ipt";
    loader.LoadAssembly();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "Nice try, you really should try migrating\rThen run again");
    ASSERT_EQ(view.tree.nodes.size(), 1u);
    EXPECT_EQ(view.tree.nodes[0].text, "Shaft.ipt");
    EXPECT_EQ(model.FileData.Count(), 1);
}

OLE_XSIZE_HIMETRIC WidthOf(const std::shared_ptr<Picture>& picture) {
    const auto* com = dynamic_cast<inventor::ComPicture*>(picture.get());
    if (!com) {
        return 0;
    }
    com::ComPtr<IPicture> readable;
    com->get()->QueryInterface(IID_IPicture, readable.put_void());
    OLE_XSIZE_HIMETRIC width = 0;
    readable->get_Width(&width);
    return width;
}

TEST(ThumbnailsOverCom, CurrentAndLegacyFilesBothShowTheirPictures) {
    const auto server = ComServerFactory().Create("Inventor.ApprenticeServer");
    thumbnail::ComLegacyReaderFactory legacy;
    // 120 pixels at 96 dots per inch are 3175 hundredths of a millimetre.
    EXPECT_NEAR(WidthOf(thumbnail::PictureOf(*server, legacy, SamplesFolder() + "\\Gearbox.iam")),
                3175, 30);
    EXPECT_NEAR(
        WidthOf(thumbnail::PictureOf(*server, legacy, SamplesFolder() + "\\Parts\\Cover.ipt")),
        3175, 30);
    EXPECT_EQ(thumbnail::PictureOf(*server, legacy, "<Gasket:1>"), nullptr);
}

} // namespace
} // namespace pw::model
