// --pictures: each BOM row's file's picture in a last column, each file's image stored once, and
// what has no picture said and counted. Pictures are read as the program reads them, by the
// thumbnail rule from each document as the load first reads it; the stand-in's picture names its
// image file, which stands for the image's bytes.
#include "partwright/batch/BatchExport.h"
#include "partwright/batch/BomWorkbook.h"
#include "partwright/batch/FilePictures.h"
#include "partwright/batch/LoadMessages.h"
#include "partwright/batch/ParentChildWorkbook.h"
#include "partwright/batch/PathNames.h"
#include "partwright/model/AssemblyLoader.h"
#include "partwright/workbook/WorkbookXlsx.h"
#include "shared/core/Failure.h"
#include "shared/thumbnail/ThumbnailRule.h"
#include "standins/inventor/StandinFiles.h"
#include "standins/inventor/StandinInventor.h"
#include "tests/fakes/MemoryFiles.h"

#include <gtest/gtest.h>
#include <map>

namespace pw::batch {
namespace {

const std::string kSamples = standins::WindowsPathOf(PARTWRIGHT_SAMPLES_DIR);
const std::string kConveyor = kSamples + "\\Conveyor\\Conveyor.iam";

// A machine without Inventor's legacy reader: a file saved before version 6000 (the Gearbox's
// cover) has no picture there.
class NoLegacyReader : public thumbnail::LegacyReaderFactory {
public:
    std::unique_ptr<thumbnail::LegacyThumbnailReader> Create() override {
        throw Failure(kEFail, "no legacy reader");
    }
};

// The thumbnail rule's picture as an "image": the stand-in's image file's name.
class StandinPictures : public PictureReader {
public:
    std::map<std::string, int> asked; // file names, as often as asked

    std::optional<workbook::Image> ImageOf(inventor::Document& document,
                                           const std::string& fullFileName) override {
        ++asked[NameOf(fullFileName)];
        const auto picture = std::dynamic_pointer_cast<standins::StandinPicture>(
            thumbnail::PictureOfDocument(document, legacy_, fullFileName));
        if (!picture) {
            return std::nullopt;
        }
        if (NameOf(picture->ImageFile()) == failing) {
            throw Failure(kEFail, "The picture could not be drawn.");
        }
        return workbook::Image{"PNG of " + NameOf(picture->ImageFile()), 72, 36};
    }

    std::string failing; // the image file whose picture cannot be drawn

private:
    NoLegacyReader legacy_;
};

class PicturesTest : public testing::Test {
protected:
    standins::StandinInventor servers = standins::StandinInventor::OverFiles(kSamples);
    model::BomModel model;
    model::QuantityListing listing;
    StandinPictures reader;

    // The Conveyor loaded, its pictures taken by `capture` as it was.
    AssemblyPictures LoadConveyor(PictureReader* pictures) {
        PictureCapture capture(pictures);
        LoadMessages view(kConveyor, &capture);
        model::AssemblyLoader loader(model, listing, view, servers);
        loader.LoadAssembly();
        EXPECT_TRUE(loader.Completed());
        return capture.Of(model);
    }
    AssemblyPictures LoadConveyor() { return LoadConveyor(&reader); }

    // The image file each row's picture shows, from row 2 down ("" for none), and the rows'
    // heights.
    static std::vector<std::string> PictureColumn(const workbook::Workbook& book,
                                                  const workbook::Sheet& sheet,
                                                  std::int32_t column) {
        std::vector<std::string> shown(sheet.grid.size() - 1);
        for (const workbook::PlacedPicture& placed : sheet.pictures) {
            EXPECT_EQ(placed.column, column);
            shown.at(static_cast<std::size_t>(placed.row - 2)) = book.images.at(placed.image).png;
        }
        return shown;
    }
    static std::int32_t Width(const workbook::Sheet& sheet) {
        std::size_t width = 0;
        for (const auto& row : sheet.grid) {
            width = std::max(width, row.size());
        }
        return static_cast<std::int32_t>(width);
    }
};

TEST_F(PicturesTest, EachRowShowsItsFilesPictureInALastColumnAndTheOtherCellsStayAsTheyWere) {
    const AssemblyPictures pictures = LoadConveyor();
    const excel::BomSheetOptions plain{.quantities = true};
    excel::BomSheetOptions asked = plain;
    asked.pictures = true;
    const auto without = BomWorkbook(model, plain, true);
    const auto with =
        BomWorkbook(model, asked, true, excel::CellLimits::Excel, nullptr, &pictures.images);

    const std::vector<std::string> indented = {"PNG of Conveyor.bmp",
                                               "PNG of Frame.bmp",
                                               "", // the skeleton has none
                                               "",
                                               "", // the grease has no file
                                               "PNG of Roller Set.bmp",
                                               "PNG of Roller.bmp",
                                               "PNG of Roller.bmp",
                                               "PNG of Roller Set.bmp",
                                               "PNG of Roller.bmp",
                                               "PNG of Roller.bmp",
                                               "PNG of Motor.bmp",
                                               "PNG of Rotor.bmp",
                                               "PNG of Housing.emf",
                                               "PNG of Roller.bmp"};
    const std::vector<std::string> summary = {"PNG of Conveyor.bmp",
                                              "PNG of Frame.bmp",
                                              "",
                                              "",
                                              "PNG of Roller Set.bmp",
                                              "PNG of Roller.bmp",
                                              "PNG of Motor.bmp",
                                              "PNG of Rotor.bmp",
                                              "PNG of Housing.emf"};
    for (const auto& [name, expected] :
         {std::pair{excel::kIndentedSheet, indented}, std::pair{excel::kSummarySheet, summary}}) {
        SCOPED_TRACE(name);
        const workbook::Sheet& before = *without->FindSheet(name);
        const workbook::Sheet& after = *with->FindSheet(name);
        // The columns scripts read keep their letters; the pictures come after the last.
        const std::int32_t column = Width(before) + 1;
        ASSERT_EQ(Width(after), column);
        EXPECT_EQ(after.Entry(1, column).text, "Picture");
        ASSERT_EQ(after.grid.size(), before.grid.size());
        before.ForEachCell(
            [&](std::int32_t row, std::int32_t at, const workbook::StoredCell& cell) {
                EXPECT_EQ(after.Entry(row, at).text, cell.entry.text) << row << "," << at;
                EXPECT_EQ(after.Entry(row, at).number, cell.entry.number) << row << "," << at;
            });
        EXPECT_EQ(after.hyperlinks.size(), before.hyperlinks.size());
        EXPECT_EQ(PictureColumn(*with, after, column), expected);
        // Every row is as tall, with a picture or without; the header keeps its height.
        EXPECT_EQ(after.RowHeight(1), before.RowHeight(1));
        for (std::int32_t row = 2; row <= static_cast<std::int32_t>(after.grid.size()); ++row) {
            EXPECT_EQ(after.RowHeight(row), workbook::kPictureRowHeight) << row;
        }
        // A picture of 72 by 36 pixels, centred in its cell of 80.
        EXPECT_EQ(after.pictures.front().left, 4);
        EXPECT_EQ(after.pictures.front().top, 22);
        EXPECT_TRUE(before.pictures.empty());
    }
}

TEST_F(PicturesTest, EachFileIsReadOnceAndStoredOnceHoweverManyRowsShowIt) {
    const AssemblyPictures pictures = LoadConveyor();
    // Taken from the documents the load had open: no file is opened again for its picture.
    const int opened = servers.Faults().Calls(standins::Op::Open);
    model = {};
    LoadConveyor(nullptr);
    EXPECT_EQ(servers.Faults().Calls(standins::Op::Open), 2 * opened);
    // The roller, used five times, and every other file, asked for once; the suppressed guard
    // is not exported and not asked for.
    EXPECT_EQ(reader.asked, (std::map<std::string, int>{{"Conveyor.iam", 1},
                                                        {"Frame.ipt", 1},
                                                        {"Housing.ipt", 1},
                                                        {"Motor.iam", 1},
                                                        {"Roller Set.iam", 1},
                                                        {"Roller.ipt", 1},
                                                        {"Rotor.ipt", 1},
                                                        {"Skeleton.ipt", 1}}));
    EXPECT_EQ(pictures.images.Images().size(), 7u);
    EXPECT_EQ(pictures.filesWithout, std::vector<std::string>{"Skeleton.ipt"});
    EXPECT_EQ(pictures.virtualComponents, 1); // the grease, used twice
    EXPECT_EQ(WithoutPictureText(pictures),
              "  without a picture: 1 file (Skeleton.ipt) and 1 virtual component");

    excel::BomSheetOptions options{.quantities = true};
    options.pictures = true;
    const auto book =
        BomWorkbook(model, options, false, excel::CellLimits::Excel, nullptr, &pictures.images);
    const std::string xlsx = workbook::WorkbookXlsx(*book);
    // A name is in an entry's header and in the central directory: twice per part.
    const auto count = [&](const std::string& text) {
        std::size_t found = 0;
        for (auto at = xlsx.find(text); at != std::string::npos; at = xlsx.find(text, at + 1)) {
            ++found;
        }
        return found;
    };
    EXPECT_EQ(count("xl/media/image"), 2u * 7);
    // A drawing for each BOM sheet, each with its relations.
    EXPECT_EQ(count("xl/drawings/drawing"), 2u * 2);
    EXPECT_EQ(count("xl/drawings/_rels/drawing"), 2u * 2);
    // An image is stored as it is, not deflated again.
    EXPECT_EQ(count("PNG of Roller.bmp"), 1u);

    const std::string plain =
        workbook::WorkbookXlsx(*BomWorkbook(model, {.quantities = true}, false));
    EXPECT_EQ(plain.find("xl/media"), std::string::npos);
    EXPECT_EQ(plain.find("drawing"), std::string::npos);
}

TEST_F(PicturesTest, APictureThatCannotBeDrawnIsSaidWithWhyAndTheOthersStand) {
    reader.failing = "Roller.bmp";
    const AssemblyPictures pictures = LoadConveyor();
    EXPECT_EQ(pictures.images.Images().size(), 6u);
    EXPECT_FALSE(pictures.images.Find(model.FileData.Item(8)->FileName));
    EXPECT_EQ(WithoutPictureText(pictures),
              "  without a picture: 2 files (Skeleton.ipt, Roller.ipt: The picture could not be "
              "drawn.) and 1 virtual component");

    // Without a reader, every file is without; a few are named, the rest counted.
    model = {};
    AssemblyPictures none = LoadConveyor(nullptr);
    EXPECT_EQ(none.Without(), 9);
    EXPECT_EQ(
        WithoutPictureText(none),
        "  without a picture: 8 files (Conveyor.iam, Frame.ipt, Skeleton.ipt, Roller Set.iam, "
        "Roller.ipt and 3 more) and 1 virtual component");
}

TEST_F(PicturesTest, TheParentChildSheetShowsEachComponentsPictureLast) {
    const AssemblyPictures pictures = LoadConveyor();
    const auto without = ParentChildWorkbook(model, model::Counting::Walk);
    const auto with = ParentChildWorkbook(model, model::Counting::Walk, false,
                                          excel::CellLimits::Excel, nullptr, &pictures.images);
    const workbook::Sheet& before = *without->FindSheet(kParentChildSheet);
    const workbook::Sheet& after = *with->FindSheet(kParentChildSheet);
    const std::int32_t column = Width(before) + 1;
    EXPECT_EQ(after.Entry(1, column).text, "Picture");
    before.ForEachCell([&](std::int32_t row, std::int32_t at, const workbook::StoredCell& cell) {
        EXPECT_EQ(after.Entry(row, at).text, cell.entry.text) << row << "," << at;
    });
    const std::vector<std::string> shown = PictureColumn(*with, after, column);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const std::string component = after.Entry(static_cast<std::int32_t>(i) + 2, 4).text;
        SCOPED_TRACE(component);
        // Named below the top assembly's folder, or in full where the paths differ in form.
        const std::string name = NameOf(component);
        if (component.starts_with("Grease") || name == "Skeleton.ipt") {
            EXPECT_EQ(shown[i], "");
        } else {
            const std::string stem = name.substr(0, name.find('.'));
            EXPECT_TRUE(shown[i].starts_with("PNG of " + stem + ".")) << shown[i];
        }
    }
}

TEST_F(PicturesTest, TheRunSaysWhatHasNoPictureAndCountsItInItsSummary) {
    fakes::MemoryFiles files;
    std::vector<std::string> lines;
    BatchOptions options;
    options.assemblies = {kConveyor, kSamples + "\\Gearbox.iam"};
    options.outFolder = "D:\\Out";
    const auto run = [&] {
        lines.clear();
        return BatchExport(
                   options, servers, files,
                   [&](const std::string& line) {
                       if (!line.starts_with("Project: ")) {
                           lines.push_back(line);
                       }
                   },
                   &reader)
            .Run();
    };
    EXPECT_EQ(run(), kAllWritten);
    EXPECT_TRUE(reader.asked.empty()); // not asked for, not read

    options.pictures = true;
    options.force = true;
    EXPECT_EQ(run(), kAllWritten); // a file without a picture fails nothing
    ASSERT_EQ(lines.size(), 6u) << testing::PrintToString(lines);
    EXPECT_EQ(lines[1], "  without a picture: 1 file (Skeleton.ipt) and 1 virtual component");
    EXPECT_EQ(lines[3], "  without a picture: 1 file (Cover.ipt)"); // not the missing gasket
    EXPECT_NE(lines[5].find("; 1 missing component; 3 components without a picture; "),
              std::string::npos)
        << lines[5];
    EXPECT_EQ(reader.asked.count("Gasket.ipt"), 0u); // a missing file is not asked for

    // A worker's count reaches the run that started it.
    RunTally tally;
    tally.withoutPicture = 2;
    const auto read = ReadTallyLine(TallyLine(tally, std::nullopt));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->tally.withoutPicture, 2);
}

} // namespace
} // namespace pw::batch
