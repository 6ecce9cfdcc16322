// The rules of placement on their own: lanes, element positions by storyline context, and
// a multicam clip that takes both picture and sound from one angle.

#include <gtest/gtest.h>

#include "model/audio_track.h"
#include "model/composition.h"
#include "model/video_track.h"
#include "reader/placement.h"
#include "reader/story_elements.h"
#include "reader/video_formats.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

TEST(PlacementRules, PositionsByContext) {
    // Every time below is whole seconds.
    testing::PassFixture fixture(R"(<fcpxml version="1.10"><sequence>
        <spine offset="1s">
          <asset-clip name="primary" offset="2s" start="10s">
            <asset-clip name="connected" lane="1" offset="12s"><caption name="on connected" lane="1" offset="1s"/></asset-clip>
            <spine lane="1" offset="11s" start="3s">
              <asset-clip name="secondary" offset="4s"/>
              <asset-clip name="deep" offset="5s" start="1s"><caption name="deep caption" lane="1" offset="2s"/></asset-clip>
            </spine>
            <caption name="caption on primary" lane="1" offset="13s"/>
          </asset-clip>
        </spine></sequence></fcpxml>)");
    const StoryList primary{StorylineContext::Primary, nullptr, 0, "", "", std::nullopt};
    const StoryList connected{StorylineContext::Connected, nullptr, 0, "", "", std::nullopt};
    const StoryList secondary{StorylineContext::Secondary, nullptr, 0, "", "", std::nullopt};
    const StoryList angle{StorylineContext::MCangle, nullptr, 3, "A", "a", std::nullopt};
    struct Case {
        std::string name;
        const StoryList* list;
        std::int64_t cumulativeOffset;  // seconds
        std::int64_t sortOrder;
    };
    const std::vector<Case> cases{
        // The spine's offset.
        {"primary", &primary, 1, 100},
        // The primary clip's offset and its spine's, less the clip's start: 2 + 1 - 10 seconds.
        {"connected", &connected, -7, 300},
        // Storyline, primary clip and spine offsets, less the primary clip's start: 11 + 2 + 1 - 10.
        {"secondary", &secondary, 4, 200},
        // A caption whose clip is in a spine: the clip's offset less start, the spine's offset,
        // and the offset less start of what holds the spine: 5 - 1 + 11 + (2 - 10).
        {"deep caption", &secondary, 7, 200},
        {"caption on primary", &secondary, -7, 200},
        // Any other caption: its clip's offset less start, and the same of the clip's parent:
        // (12 - 0) + (2 - 10).
        {"on connected", &secondary, 4, 200},
        {"primary", &angle, 0, 999},
    };
    for (const Case& c : cases) {
        const ElementPosition position =
            elementPosition(fixture.element("//*[@name='" + c.name + "']"), *c.list, fixture.context.frames());
        EXPECT_EQ(position.cumulativeOffset, Fraction(c.cumulativeOffset, 1)) << c.name;
        EXPECT_EQ(position.sortOrder, c.sortOrder) << c.name;
    }
}

TEST(PlacementRules, OneAngleForPictureAndSound) {
    testing::ReadDocument read(R"(<fcpxml version="1.10"><resources>
        <format id="r1" name="FFVideoFormat1080p25" frameDuration="100/2500s"/>
        <asset id="a" name="Cam A" start="0s" duration="100s" hasVideo="1" hasAudio="1" format="r1"/>
        <asset id="b" name="Cam B" start="0s" duration="100s" hasVideo="1" hasAudio="1" format="r1"/>
        <media id="mc" name="MC"><multicam format="r1" tcStart="10s">
          <mc-angle name="A" angleID="1"><asset-clip ref="a" name="A" offset="0s" duration="20s"/></mc-angle>
          <mc-angle name="B" angleID="2"><asset-clip ref="b" name="B" offset="0s" duration="20s"/></mc-angle>
        </multicam></media></resources>
      <library><event name="E"><project name="P"><sequence format="r1"><spine>
        <mc-clip ref="mc" name="Use" offset="0s" start="15s" duration="1s">
          <mc-source angleID="1" srcEnable="video"/><mc-source angleID="2" srcEnable="all"/>
        </mc-clip>
      </spine></sequence></project></event></library></fcpxml>)");
    const auto timeline = read.composition("P");
    ASSERT_NE(timeline, nullptr);
    // "all" wins over "video": picture and sound both come from angle 2. The multicam's
    // time starts at 10s, so the clip's start of 15s is 125 frames into it.
    const auto v1 = testing::trackAt(timeline->videoTracks(), 1);
    const auto a1 = testing::trackAt(timeline->audioTracks(), 1);
    ASSERT_TRUE(v1 && a1);
    ASSERT_EQ(v1->elements().size(), 1u);
    EXPECT_EQ(v1->elements()[0]->name(), "B");
    EXPECT_EQ(v1->elements()[0]->srcInpoint(), 125.0);
    ASSERT_EQ(a1->elements().size(), 2u);
    EXPECT_EQ(a1->elements()[0]->name(), "Use");
    EXPECT_EQ(a1->elements()[1]->name(), "B");
    EXPECT_EQ(a1->elements()[1]->srcInpoint(), 125.0);
}

}  // namespace
}  // namespace tallyvane
