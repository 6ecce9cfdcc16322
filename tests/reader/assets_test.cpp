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
    // The first by its local name, as every element is found, though it stands in a namespace.
    EXPECT_EQ(assetSourceURL(fixture.element("//asset[@id='a3']")), "file://localhost/Volumes/Stills/other.png");
    EXPECT_EQ(assetSourceURL(fixture.element("//asset[@name='no id']")), std::nullopt);
    EXPECT_EQ(assetSourceURL(fixture.element("//asset[@id='a4']")), std::nullopt);
}

}  // namespace
}  // namespace tallyvane
