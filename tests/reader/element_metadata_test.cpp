// Metadata entries of clips and their assets.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/metadata.h"
#include "reader/assets.h"
#include "reader/element_metadata.h"
#include "reader/video_formats.h"
#include "reader/node_extensions.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

using Texts = std::vector<std::string>;

struct Record {
    std::string key;
    std::string value;
    Texts values;
    friend bool operator==(const Record&, const Record&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Record& r) {
        return out << r.key << "=" << r.value << " (" << r.values.size() << " values)";
    }
};

class ElementMetadata : public ::testing::Test {
protected:
    void SetUp() override {
        storeFormats(fixture.context);
        storeAssets(fixture.context);
    }
    std::shared_ptr<StoryElement> read(std::string_view clipName, std::shared_ptr<Asset> asset) {
        auto clip = testing::clipElement(StoryElement::Category::assetclip, "25", 0.0, 250.0, 0.0, std::move(asset));
        fixture.store.insert(clip);
        storeMetadata(readMetadata(elementsOf(fixture.element("//*[@name='" + std::string(clipName) + "']").xpath("metadata/md"))), clip,
                      fixture.context);
        return clip;
    }
    static std::vector<Record> records(const StoryElement& clip) {
        std::vector<Record> result;
        for (const auto& item : clip.metadata()) result.push_back({item->key(), item->value(), item->values()});
        return result;
    }
    testing::PassFixture fixture{testing::readerData("metadata.fcpxml")};
};

TEST_F(ElementMetadata, AssetEntriesFollowTheClipsAndWinForSpecialKeys) {
    const auto asset = fixture.context.asset("r2");
    const auto clip = read("with asset", asset);
    EXPECT_EQ(clip->reel(), "A001");
    EXPECT_EQ(clip->scene(), "asset scene");
    EXPECT_EQ(clip->shottake(), "3");
    EXPECT_EQ(asset->cameraName(), "Camera A");
    const std::vector<Record> expected{
        {"Reel", "shown reel", {}},
        {"com.example.list", "", {"one", "two", "three"}},
        {"com.apple.proapps.studio.angle", "", {}},
        {"com.apple.proapps.spotlight.kMDItemCodecs", "", {"Apple ProRes 422", "Linear PCM"}}};
    EXPECT_EQ(records(*clip), expected);
    // The store holds the very records the clip lists.
    EXPECT_THAT(fixture.store.fetch<Metadata>(), ::testing::UnorderedElementsAreArray(clip->metadata()));
}

TEST_F(ElementMetadata, AClipReadsItsOwnEntriesWhenItsAssetHasNone) {
    // An entry with a list sets a special field to the empty text.
    const std::vector<std::pair<std::string, std::string>> cases{{"", ""}, {"r3", "ignored camera"}};
    for (const auto& [assetID, camera] : cases) {
        const auto clip = read("without asset", assetID.empty() ? nullptr : fixture.context.asset(assetID));
        EXPECT_EQ(clip->reel(), "") << assetID;
        EXPECT_EQ(clip->scene(), "own scene") << assetID;
        EXPECT_TRUE(clip->metadata().empty()) << assetID;
        EXPECT_EQ(fixture.context.asset(assetID.empty() ? "r2" : assetID)->cameraName(), camera) << assetID;
    }
}

}  // namespace
}  // namespace tallyvane
