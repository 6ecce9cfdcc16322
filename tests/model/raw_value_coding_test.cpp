// The JSON form of the model's enumerations and of the reader's storyline context: one
// text, the case name; anything else fails to decode with an error that names the
// enumeration and the value.

#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "model/asset.h"
#include "model/composition.h"
#include "model/story_element.h"
#include "model/track_type.h"
#include "reader/storyline_context.h"

namespace tallyvane {
namespace {

using json = nlohmann::json;

template <class E>
void expectEveryCaseRoundTrips() {
    for (std::size_t i = 0; i < RawValues<E>::texts.size(); ++i) {
        const auto value = static_cast<E>(i);
        const json encoded = value;
        EXPECT_EQ(encoded, json(std::string(RawValues<E>::texts[i])));
        EXPECT_EQ(encoded.get<E>(), value) << encoded.dump();
    }
}

template <class E>
std::string decodingErrorOf(const json& encoded) {
    try {
        (void)encoded.get<E>();
    } catch (const RawValueDecodingError& error) {
        return error.what();
    }
    return "decoded";
}

TEST(RawValueCodingTest, EveryCaseIsWrittenAsItsNameAndReadBack) {
    expectEveryCaseRoundTrips<Asset::Category>();
    expectEveryCaseRoundTrips<Composition::Category>();
    expectEveryCaseRoundTrips<TrackType>();
    expectEveryCaseRoundTrips<StoryElement::Category>();
    expectEveryCaseRoundTrips<StorylineContext>();
    EXPECT_EQ(json(StoryElement::Category::stillImage).dump(), "\"stillImage\"");
}

TEST(RawValueCodingTest, AnUnknownTextOrANonTextFailsWithAClearError) {
    EXPECT_EQ(decodingErrorOf<Asset::Category>("av"), "Cannot initialize Asset::Category from invalid value \"av\".");
    EXPECT_EQ(decodingErrorOf<Composition::Category>("Compound Clip"),
              "Cannot initialize Composition::Category from invalid value \"Compound Clip\".");
    EXPECT_EQ(decodingErrorOf<TrackType>(""), "Cannot initialize TrackType from invalid value \"\".");
    EXPECT_EQ(decodingErrorOf<StoryElement::Category>("stillimage"),
              "Cannot initialize StoryElement::Category from invalid value \"stillimage\".");
    EXPECT_EQ(decodingErrorOf<StorylineContext>("primary"),
              "Cannot initialize StorylineContext from invalid value \"primary\".");
    EXPECT_EQ(decodingErrorOf<StorylineContext>(1),
              "Expected to decode StorylineContext from a text but found number instead.");
    EXPECT_EQ(decodingErrorOf<TrackType>(1), "Expected to decode TrackType from a text but found number instead.");
    EXPECT_EQ(decodingErrorOf<TrackType>(json()), "Expected to decode TrackType from a text but found null instead.");
}

}  // namespace
}  // namespace tallyvane
