#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/asset.h"
#include "model/composition.h"
#include "model/story_element.h"
#include "model/track_type.h"

namespace tallyvane {
namespace {

// Every case of an enumeration reads back from its own raw text, and hashes like it.
template <class E>
void expectRoundTrips(const std::vector<std::pair<E, std::string_view>>& cases) {
    ASSERT_EQ(cases.size(), RawValues<E>::texts.size());
    for (const auto& [value, text] : cases) {
        SCOPED_TRACE(std::string(text));
        EXPECT_EQ(rawValue(value), text);
        EXPECT_EQ(fromRawValue<E>(text), std::optional<E>(value));
        EXPECT_EQ(std::hash<E>{}(value), std::hash<std::string_view>{}(text));
    }
}

template <class E>
void expectNoneFound(const std::vector<std::string_view>& texts) {
    for (auto text : texts) EXPECT_FALSE(fromRawValue<E>(text)) << '"' << text << '"';
}

TEST(EnumerationTest, EveryCaseIsItsOwnName) {
    using A = Asset::Category;
    expectRoundTrips<A>({{A::null, "null"}, {A::Video, "Video"}, {A::Audio, "Audio"}, {A::AV, "AV"}, {A::Image, "Image"}});

    using C = Composition::Category;
    expectRoundTrips<C>({{C::null, "null"},
                         {C::Timeline, "Timeline"},
                         {C::TimelineSequence, "TimelineSequence"},
                         {C::NestedSequence, "NestedSequence"},
                         {C::CompoundClip, "CompoundClip"},
                         {C::Multicam, "Multicam"},
                         {C::SyncClip, "SyncClip"}});

    expectRoundTrips<TrackType>({{TrackType::Video, "Video"}, {TrackType::Audio, "Audio"}});

    using S = StoryElement::Category;
    expectRoundTrips<S>({{S::null, "null"},
                         {S::assetclip, "assetclip"},
                         {S::audition, "audition"},
                         {S::syncclip, "syncclip"},
                         {S::mcclip, "mcclip"},
                         {S::refclip, "refclip"},
                         {S::title, "title"},
                         {S::caption, "caption"},
                         {S::generator, "generator"},
                         {S::gap, "gap"},
                         {S::stillImage, "stillImage"},
                         {S::transition, "transition"}});
}

TEST(EnumerationTest, LookupsThatMustFindNothing) {
    expectNoneFound<Asset::Category>({"av", "Av", "video", "", " AV", "AV ", "Null", "NULL"});
    expectNoneFound<Composition::Category>(
        {"Compound Clip", "Timeline Sequence", "Sync Clip", "timeline", "multicam", ""});
    expectNoneFound<TrackType>({"video", "AUDIO", "", "Audio\n", "Vid"});
    expectNoneFound<StoryElement::Category>(
        {"StillImage", "stillimage", "Transition", "", "asset-clip", std::string_view("gap\0", 4)});
}

}  // namespace
}  // namespace tallyvane
