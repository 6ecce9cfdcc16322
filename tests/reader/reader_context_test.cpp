// Lookups of what earlier passes made: the first object made under an identifier wins.

#include <gtest/gtest.h>

#include "model/composition.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

std::shared_ptr<Composition> composition(std::string id, std::string name, std::shared_ptr<VideoFormat> format) {
    return std::make_shared<Composition>(std::move(id), std::move(name), 0.0, 0.0, "25", std::move(format),
                                         std::vector<std::shared_ptr<VideoTrack>>{}, "", 48000,
                                         std::vector<std::shared_ptr<AudioTrack>>{},
                                         std::vector<std::shared_ptr<MarkedRange>>{},
                                         std::vector<std::shared_ptr<Metadata>>{}, "",
                                         Composition::Category::CompoundClip);
}

TEST(ReaderContext, CompositionsAreFoundByTheirFirstIdentifier) {
    testing::PassFixture fixture(testing::readerData("empty_project.fcpxml"));
    const auto format = fixture.context.defaultVideoFormat();
    const auto first = composition("r5", "first", format);
    const auto second = composition("r5", "second", format);
    const auto other = composition("r6", "other", format);
    for (const auto& made : {first, second, other}) fixture.context.insertComposition(made);
    EXPECT_EQ(fixture.context.composition("r5"), first);
    EXPECT_EQ(fixture.context.composition("r6"), other);
    EXPECT_EQ(fixture.context.composition("r7"), nullptr);
    EXPECT_EQ(fixture.context.composition(""), nullptr);
    EXPECT_EQ(fixture.store.fetch<Composition>().size(), 3u);
    EXPECT_EQ(fixture.store.fetch<VideoFormat>().size(), 1u) << "the format joins with its compositions";
}

TEST(ReaderContext, TheDocumentStaysReadableForTheWholeReading) {
    testing::PassFixture fixture(testing::readerData("metadata.fcpxml"));
    const std::optional<XMLElement> event = fixture.context.root().firstChildByXPath("//event");
    ASSERT_TRUE(event);
    EXPECT_EQ(event->attr("name"), "Metadata");
    EXPECT_EQ(fixture.context.document().root()->tag(), "fcpxml");
    EXPECT_EQ(&fixture.context.store(), &fixture.store);
}

}  // namespace
}  // namespace tallyvane
