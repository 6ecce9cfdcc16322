// The assets pass: identifiers, times at the format's rate, formats, locations and kinds.

#include <gtest/gtest.h>

#include "reader/assets.h"
#include "reader/video_formats.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

using testing::contains;

class AssetsPass : public ::testing::Test {
protected:
    void SetUp() override {
        storeFormats(fixture.context);
        storeAssets(fixture.context);
    }
    testing::PassFixture fixture{testing::readerData("formats_assets.fcpxml")};
};

struct AssetExpectation {
    std::string name;
    std::string id;
    double firstFrame;
    double duration;
    std::optional<std::string> formatName;
    std::string frameSize;
    std::optional<std::string> url;
    Asset::Category category;
    std::string audioRate;
};

TEST_F(AssetsPass, ReadsEveryAssetResource) {
    using C = Asset::Category;
    const std::vector<AssetExpectation> expected{
        {"Volumes clip", "a1", 90000.0, 250.0, "FFVideoFormat1920x1080p25", "1920 \u00D7 1080",
         "file://localhost/Volumes/Media/a.mov", C::AV, "48000"},
        {"Users clip", "a2", 0.0, 1.0, "FFVideoFormat1280x1080i5994", "", "file:///Users/x/a.mov", C::Video, ""},
        {"still", "a3", 0.0, 0.0, "", "", "file://localhost/Volumes/Stills/first.png", C::Image, ""},
        {"music", "a4", 0.0, 3600.0, std::nullopt, "", std::nullopt, C::Audio, "44100"},
        {"neither", "a5", 0.0, 0.0, std::nullopt, "", std::nullopt, C::Video, ""},
        // Stored as "119.88pp" and read back at 119.88, not at the 60p fallback.
        {"fast", "a6", 1.0, 120000.0, "FFVideoFormat3840x2160p11988", "3840 \u00D7 2160", std::nullopt, C::Video, ""},
        {"no rate", "a7", 0.0, 120.0, "FFVideoFormatRateUndefined", "", std::nullopt, C::Video, ""},
        {"unknown format", "a8", 0.0, 120.0, std::nullopt, "", std::nullopt, C::Video, ""},
        {"no id", "", 0.0, 60.0, std::nullopt, "", std::nullopt, C::Video, ""},
        {"second a1", "a1", 0.0, 60.0, std::nullopt, "", std::nullopt, C::Video, ""}};
    const auto assets = fixture.store.fetch<Asset>();
    ASSERT_EQ(assets.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Asset& asset = *assets[i];
        const AssetExpectation& e = expected[i];
        EXPECT_EQ(asset.name(), e.name) << i;
        if (!e.id.empty()) {
            EXPECT_EQ(asset.id(), e.id) << i;
        }
        EXPECT_DOUBLE_EQ(asset.firstFrame(), e.firstFrame) << e.name;
        EXPECT_DOUBLE_EQ(asset.duration(), e.duration) << e.name;
        EXPECT_EQ(asset.videoFormat() ? std::optional(asset.videoFormat()->name()) : std::nullopt, e.formatName)
            << e.name;
        EXPECT_EQ(asset.frameSize(), e.frameSize) << e.name;
        EXPECT_EQ(asset.url() ? std::optional(asset.url()->absoluteString()) : std::nullopt, e.url) << e.name;
        EXPECT_FALSE(asset.online()) << e.name;
        EXPECT_FALSE(asset.securityscopedURL());
        EXPECT_EQ(asset.category(), e.category) << e.name;
        EXPECT_EQ(asset.audioRate(), e.audioRate) << e.name;
        EXPECT_EQ(asset.timecodeFrameRate(), "") << "not set by this pass";
    }
    EXPECT_EQ(assets[8]->id().rfind("as-", 0), 0u);
    EXPECT_EQ(assets[8]->id().size(), 3u + 36u);
}

TEST_F(AssetsPass, ReferencesFindTheFirstAssetOfAnIdentifier) {
    const auto assets = fixture.store.fetch<Asset>();  // in the order checked above
    ASSERT_EQ(assets.size(), 10u);
    EXPECT_EQ(fixture.context.asset("a1"), assets[0]);
    EXPECT_EQ(fixture.context.asset("a9"), nullptr);
    const auto resource = fixture.context.assetResource("a1");
    ASSERT_TRUE(resource);
    EXPECT_EQ(resource->attr("name"), "Volumes clip");
    EXPECT_FALSE(fixture.context.assetResource(assets[8]->id()));
}

TEST_F(AssetsPass, PrintsWhatItReadsAndWhatItSkips) {
    const std::string printed = fixture.printed();
    for (const std::string_view line :
         {"(\"id\", \"a1\")\n", "audioSources\n", "audioChannels\n", "videoSources not needed\n",
          "\"securityscopedURL:\" false \"url:\" file://localhost/Volumes/Media/a.mov\n",
          "\"is asset online?\" false\n", "\"securityscopedURL:\" false \"url:\" \"nil\"\n",
          "\"Unable to create Fraction from 1/0s\"\n"}) {
        EXPECT_TRUE(contains(printed, line)) << line;
    }
    EXPECT_TRUE(contains(printed, " ---\n"));
}

TEST(AssetLocation, OnlyAnExistingFileIsOnline) {
    const std::string path = std::string(TALLYVANE_TEST_DATA_DIR) + "/reader/formats_assets.fcpxml";
    const std::string document = "<fcpxml version=\"1.11\"><resources>"
                                 "<asset id=\"here\" src=\"file://" + path + "\" hasVideo=\"1\" duration=\"1s\"/>"
                                 "<asset id=\"gone\" src=\"file://" + path + ".missing\" hasVideo=\"1\"/>"
                                 // The system would read the path only up to the NUL: the existing file.
                                 "<asset id=\"cut\" src=\"file://" + path + "%00.txt\" hasVideo=\"1\"/>"
                                 "</resources></fcpxml>";
    testing::PassFixture fixture(document);
    storeFormats(fixture.context);
    storeAssets(fixture.context);
    ASSERT_TRUE(fixture.context.asset("here"));
    EXPECT_TRUE(fixture.context.asset("here")->online());
    EXPECT_FALSE(fixture.context.asset("gone")->online());
    EXPECT_FALSE(fixture.context.asset("cut")->online());
    EXPECT_TRUE(contains(fixture.printed(), "\"is asset online?\" true\n"));
}

TEST(AssetLocation, SourceComesFromTheAssetOrItsFirstMediaRep) {
    testing::PassFixture fixture(testing::readerData("formats_assets.fcpxml"));
    EXPECT_EQ(assetSourceURL(std::nullopt), std::nullopt);
    EXPECT_EQ(assetSourceURL(fixture.element("//asset[@id='a3']")), "file://localhost/Volumes/Stills/first.png");
    EXPECT_EQ(assetSourceURL(fixture.element("//asset[@name='no id']")), std::nullopt);
    EXPECT_EQ(assetSourceURL(fixture.element("//asset[@id='a4']")), std::nullopt);
}

}  // namespace
}  // namespace tallyvane
