#include "shared/thumbnail/ThumbnailRule.h"

#include "standins/inventor/StandinInventor.h"

#include <gtest/gtest.h>

namespace pw::thumbnail {
namespace {

const std::string kCurrent = "C:\\Work\\Current.ipt";
const std::string kOld = "C:\\Work\\Old.ipt";

class LegacyPicture : public inventor::Picture {};

// Counts the readers made and what they were asked.
class CountingLegacy : public LegacyReaderFactory {
public:
    bool installed = true;
    int made = 0;
    std::vector<std::string> asked;

    std::unique_ptr<LegacyThumbnailReader> Create() override {
        if (!installed) {
            throw Failure(static_cast<ResultCode>(0x80040154u), "Class not registered");
        }
        ++made;
        struct Reader : LegacyThumbnailReader {
            CountingLegacy& owner;
            explicit Reader(CountingLegacy& o) : owner(o) {}
            std::shared_ptr<inventor::Picture> PictureOf(const std::string& path) override {
                owner.asked.push_back(path);
                return std::make_shared<LegacyPicture>();
            }
        };
        return std::make_unique<Reader>(*this);
    }
};

class ThumbnailRule : public testing::Test {
protected:
    standins::StandinInventor inventor;
    std::shared_ptr<inventor::Server> server;
    CountingLegacy legacy;

    void SetUp() override {
        for (const auto& [path, version] : {std::pair{kCurrent, 6000}, std::pair{kOld, 5999}}) {
            standins::StandinDocument& part = inventor.AddPart(path);
            part.version = version;
            part.thumbnail = path + ".png";
        }
        server = inventor.Create("Inventor.ApprenticeServer");
    }
    bool IsLegacy(const std::shared_ptr<inventor::Picture>& picture) const {
        return std::dynamic_pointer_cast<LegacyPicture>(picture) != nullptr;
    }
};

TEST_F(ThumbnailRule, CurrentFilesShowTheirOwnThumbnailWithoutTheLegacyReader) {
    const auto picture = PictureOf(*server, legacy, kCurrent);
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(IsLegacy(picture));
    EXPECT_EQ(legacy.made, 0);
    legacy.installed = false;
    EXPECT_NE(PictureOf(*server, legacy, kCurrent), nullptr);
}

TEST_F(ThumbnailRule, OldFilesGoThroughTheLegacyReader) {
    const auto picture = PictureOf(*server, legacy, kOld);
    EXPECT_TRUE(IsLegacy(picture));
    EXPECT_EQ(legacy.asked, std::vector<std::string>{kOld});
}

TEST_F(ThumbnailRule, AnUnreadableVersionCountsAsCurrent) {
    inventor.Faults().FailOn(standins::Op::Version, kOld);
    const auto picture = PictureOf(*server, legacy, kOld);
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(IsLegacy(picture));
}

TEST_F(ThumbnailRule, WithoutPictureOrReaderThereIsNothingToShow) {
    legacy.installed = false;
    EXPECT_EQ(PictureOf(*server, legacy, kOld), nullptr);
    EXPECT_EQ(PictureOf(*server, legacy, "C:\\Work\\Missing.ipt"), nullptr);
    EXPECT_EQ(PictureOf(*server, legacy, "<Gasket:1>"), nullptr);
    inventor.Faults().FailOn(standins::Op::Thumbnail, kCurrent);
    EXPECT_EQ(PictureOf(*server, legacy, kCurrent), nullptr);
}

} // namespace
} // namespace pw::thumbnail
