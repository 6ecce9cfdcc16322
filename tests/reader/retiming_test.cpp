// Retiming: a clip's time map as one speed, its name, and the rescaled source times.

#include <gtest/gtest.h>

#include "model/speed_fx.h"
#include "reader/retiming.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

struct RetimeCase {
    std::string what;
    std::string timeMap;  // the clip's content
    std::optional<std::string> name;  // absent: no speed change stored
    double percent;
    std::optional<double> srcInpoint;
    std::optional<double> srcDuration;
    std::string printed;  // part of the diagnostic lines
    bool timesUnset = false;  // the clip comes without source times
};

// Whole seconds at 1/25 s a frame: 10s is 250 frames.

std::string points(std::initializer_list<std::pair<const char*, const char*>> timeValue,
                   std::string_view sampling = "") {
    std::string text = "<timeMap";
    if (!sampling.empty()) text += " frameSampling=\"" + std::string(sampling) + "\"";
    text += ">";
    for (const auto& [time, value] : timeValue) {
        text += "<timept time=\"" + std::string(time) + "\" value=\"" + std::string(value) + "\"/>";
    }
    return text + "</timeMap>";
}

TEST(Retiming, SpeedNameAndSourceTimes) {
    const std::vector<RetimeCase> cases{
        {"no points", "<timeMap/>", std::nullopt, 0, 50.0, 100.0, ""},
        {"one point is normal speed", points({{"0s", "0s"}}), "Retime 100.0%", 100, 50.0, 100.0,
         "speed = 100.0% reverse = false hold = false"},
        {"double speed by optical flow", points({{"0s", "0s"}, {"10s", "20s"}}, "optical-flow"),
         "Optical Flow Retime 200.0%", 200, 100.0, 200.0, "speed = 200.0% reverse = false"},
        {"reverse", points({{"0s", "10s"}, {"10s", "0s"}}, "frame-blending"), "Frame Blending Retime -100.0%", -100,
         50.0, 100.0, "reverse = true"},
        {"a repeated speed is one segment", points({{"0s", "0s"}, {"10s", "20s"}, {"20s", "40s"}}, "nearest-neighbor"),
         "Nearest Neighbor Retime 200.0%", 200, 100.0, 200.0, "speed = 200.0%"},
        {"changing speeds give the average over the map", points({{"0s", "0s"}, {"10s", "20s"}, {"20s", "25s"}}),
         "Retime 125.0%", 125, 62.5, 125.0, "speed = 125.0%"},
        {"a hold: a zero speed is shown as normal", points({{"0s", "0s"}, {"10s", "10s"}, {"20s", "10s"}}),
         "Retime 100.0%", 100, 50.0, 100.0, "hold = true"},
        {"a third of the speed, the name rounded", points({{"0s", "0s"}, {"1000s", "333s"}}, "optical-flow-frc"),
         "Optical Flow Retime 33.0%", 33.3, 16.65, 33.3, "hold = false"},
        {"an unknown sampling", points({{"0s", "0s"}, {"10s", "5s"}}, "cubic"), "Retime 50.0%", 50, 25.0, 50.0,
         "reverse = false"},
        {"unset source times stay unset", points({{"0s", "0s"}, {"10s", "20s"}}), "Retime 200.0%", 200, std::nullopt,
         std::nullopt, "", true},
    };
    for (const RetimeCase& c : cases) {
        testing::PassFixture fixture("<fcpxml version=\"1.11\"><asset-clip>" + c.timeMap + "</asset-clip></fcpxml>");
        auto clip = testing::clipElement(StoryElement::Category::assetclip, "25", 0, 100,
                                         c.timesUnset ? std::nullopt : std::optional(50.0));
        if (!c.timesUnset) clip->setSrcDuration(100.0);
        storeRetime(fixture.element("//asset-clip"), *clip, testing::kTimeline25p, fixture.log);
        if (!c.name) {
            EXPECT_EQ(clip->speedFX(), nullptr) << c.what;
        } else {
            ASSERT_NE(clip->speedFX(), nullptr) << c.what;
            EXPECT_EQ(clip->speedFX()->name(), *c.name) << c.what;
            EXPECT_DOUBLE_EQ(clip->speedFX()->percent(), c.percent) << c.what;
            ASSERT_TRUE(clip->speedFX()->params().has_value()) << c.what;
            EXPECT_TRUE(clip->speedFX()->params()->empty()) << c.what;
        }
        ASSERT_EQ(clip->srcInpoint().has_value(), c.srcInpoint.has_value()) << c.what;
        ASSERT_EQ(clip->srcDuration().has_value(), c.srcDuration.has_value()) << c.what;
        EXPECT_DOUBLE_EQ(clip->srcInpoint().value_or(0), c.srcInpoint.value_or(0)) << c.what;
        EXPECT_DOUBLE_EQ(clip->srcDuration().value_or(0), c.srcDuration.value_or(0)) << c.what;
        EXPECT_TRUE(testing::contains(fixture.printed(), c.printed)) << c.what << '\n' << fixture.printed();
    }
}

}  // namespace
}  // namespace tallyvane
