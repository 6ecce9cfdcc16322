#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <unordered_set>

#include "timecode/case_order.h"
#include "timecode/timecode_components.h"
#include "timecode/timecode_frame_rate.h"
#include "timecode/video_frame_rate.h"

namespace tallyvane {
namespace {

using T = TimecodeFrameRate;
using VR = VideoFrameRate;

TEST(TimecodeFrameRateTest, FrameDurationAndRateLookupsMatchTermsOrRatio) {
    struct Case {
        Fraction value;
        bool drop;
        std::optional<T> expected;
    };
    const Case durations[] = {
        {{1001, 30000}, false, T::fps29_97},   {{1001, 30000}, true, T::fps29_97d},
        {{2002, 60000}, true, T::fps29_97d},   {{15015, 360000}, false, T::fps23_976},
        {{15015, 360000}, true, std::nullopt}, {{100, 3000}, true, T::fps30d},
        {{1000, 29970}, false, std::nullopt},  // alternate durations are a different ratio
        {{1, 0}, false, std::nullopt},         {{0, 0}, false, std::nullopt},
        {{1, 23}, false, std::nullopt},        {{-1001, 30000}, false, std::nullopt},
    };
    for (const auto& c : durations) {
        EXPECT_EQ(T::fromFrameDuration(c.value, c.drop), c.expected) << c.value.description() << " drop " << c.drop;
        EXPECT_EQ(T::fromFrameDuration(c.value.mediaTimeValue(), c.drop), c.expected) << c.value.description();
    }
    const Case rates[] = {
        {{30000, 1001}, true, T::fps29_97d}, {{60000, 2002}, true, T::fps29_97d}, {{24, 1}, true, std::nullopt},
        {{2997, 100}, false, std::nullopt},  {{48, 1}, false, T::fps48},
    };
    for (const auto& c : rates) EXPECT_EQ(T::fromRate(c.value, c.drop), c.expected) << c.value.description();
}

TEST(TimecodeFrameRateTest, TextLookupIsExact) {
    struct Case {
        const char* text;
        std::optional<T> expected;
    } cases[] = {
        {"29.97d", T::fps29_97d}, {"23.976", T::fps23_976}, {"120d", T::fps120d}, {"29.97D", std::nullopt},
        {" 29.97d", std::nullopt}, {"29.970", std::nullopt}, {"", std::nullopt},  {"29.97 fps", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(T::fromStringValue(c.text), c.expected) << c.text;
    for (auto c : T::allCases()) EXPECT_EQ(T::fromRawValue(T(c).rawValue()), T(c));
}

TEST(TimecodeFrameRateTest, CountingConstantsAreConsistentWithTheDropRule) {
    // The 24-hour frame totals are table data: they must agree with the drop rule.
    for (auto c : T::allCases()) {
        T r(c);
        std::int64_t expected = 86400LL * r.maxFrames() - static_cast<std::int64_t>(r.framesDroppedPerMinute()) * 1296;
        EXPECT_EQ(r.maxTotalFrames(TimecodeUpperLimit::max24Hours), expected) << r;
        EXPECT_EQ(r.isDrop(), r.framesDroppedPerMinute() > 0) << r;
        EXPECT_EQ(r.numberOfDigits(), r.maxFrames() >= 120 ? 3 : 2) << r;
    }
    EXPECT_EQ(T(T::fps29_97d).maxTotalFrames(TimecodeUpperLimit::max100Days), 258940800);
    EXPECT_EQ(T(T::fps24).maxSubFrameNumberExpressible(TimecodeUpperLimit::max24Hours, TimecodeSubFramesBase::quarterFrames),
              8294399);
}

TEST(TimecodeFrameRateTest, GroupsPartitionTheRates) {
    EXPECT_TRUE(T(T::fps29_97).isCompatible(T::fps23_976));
    EXPECT_FALSE(T(T::fps29_97).isCompatible(T::fps29_97d));
    EXPECT_EQ(T::allNonDrop().size() + T::allDrop().size(), T::allCases().size());
    EXPECT_EQ(std::unordered_set<T>(T::allNonDrop().begin(), T::allNonDrop().end()).size(), T::allNonDrop().size());
    std::size_t members = 0;
    std::string names;
    for (auto g : T::allCompatibleGroups()) {
        members += T::members(g).size();
        names += std::string(description(g)) + ";";
    }
    EXPECT_EQ(members, T::allCases().size());
    EXPECT_EQ(names, "NTSC Color;NTSC Drop-Frame;Whole;NTSC Color Wall Time;");
    EXPECT_EQ(T(T::fps119_88d).fcpxmlAttributes(), std::make_pair(std::string("1001/120000s"), std::string("DF")));
    EXPECT_EQ(T(T::fps24).fcpxmlAttributes(), std::make_pair(std::string("100/2400s"), std::string("NDF")));
    // The NTSC fps entries differ in the last bit from the quotient of the rate.
    EXPECT_NE(T(T::fps29_97).fps(), 30000.0 / 1001.0);
    EXPECT_FALSE(T(T::fps24).alternateFrameDuration().has_value());
    EXPECT_EQ(T(T::fps29_97).alternateFrameDuration()->description(), "1000/29970");
}

TEST(TimecodeFrameRateTest, VideoRateMapping) {
    struct Case {
        T rate;
        std::optional<VR> progressive;
        std::optional<VR> interlaced;
    } cases[] = {
        {T::fps25, VR::fps25p, VR::fps25i},         {T::fps24_98, VR::fps25p, std::nullopt},
        {T::fps29_97d, VR::fps29_97p, VR::fps29_97i}, {T::fps59_94, VR::fps59_94p, VR::fps59_94i},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.rate.videoFrameRate(false), c.progressive) << c.rate;
        EXPECT_EQ(c.rate.videoFrameRate(true), c.interlaced) << c.rate;
    }
}

TEST(VideoFrameRateTest, TextsOf119_88pDifferBetweenRawAndStringValue) {
    EXPECT_EQ(VR::fromStringValue("119.88pp"), VR(VR::fps119_88p));
    EXPECT_EQ(VR::fromStringValue("119.88p"), std::nullopt);
    EXPECT_EQ(VR::fromRawValue("119.88p"), VR(VR::fps119_88p));
    EXPECT_EQ(VR::fromRawValue("119.88pp"), std::nullopt);
    EXPECT_EQ(VR(VR::fps119_88p).stringValue(), "119.88pp");
    EXPECT_EQ(VR(VR::fps119_88p).rawValue(), "119.88p");
    EXPECT_EQ(std::hash<VR>()(VR::fps119_88p), std::hash<std::string_view>()("119.88p"));
    EXPECT_EQ(VR::fromStringValue("25i"), VR(VR::fps25i));
}

TEST(VideoFrameRateTest, TimecodeRateWithAndWithoutDrop) {
    struct Case {
        VR rate;
        T nonDrop;
        std::optional<T> drop;
    } cases[] = {
        {VR::fps29_97i, T::fps29_97, T::fps29_97d}, {VR::fps30p, T::fps30, T::fps30d},
        {VR::fps60p, T::fps60, T::fps60d},          {VR::fps119_88p, T::fps119_88, T::fps119_88d},
        {VR::fps25i, T::fps25, std::nullopt},      {VR::fps60i, T::fps60, std::nullopt},
        {VR::fps120p, T::fps120, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.rate.timecodeFrameRate(false), c.nonDrop) << c.rate;
        EXPECT_EQ(c.rate.timecodeFrameRate(true), c.drop) << c.rate;
    }
}

TEST(VideoFrameRateTest, DurationAndRateLookups) {
    struct Case {
        Fraction duration;
        bool interlaced;
        std::optional<VR> expected;
    } cases[] = {
        {{1, 25}, true, VR::fps25i},           {{1, 25}, false, VR::fps25p}, {{2002, 60000}, true, VR::fps29_97i},
        {{2002, 60000}, false, VR::fps29_97p}, {{2002, 120000}, true, VR::fps59_94i},
        {{1001, 24000}, true, std::nullopt},  {{1, 3}, false, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(VR::fromFrameDuration(c.duration, c.interlaced), c.expected) << c.duration.description();
    EXPECT_EQ(VR::fromRate(Fraction(50, 1), true), VR(VR::fps50i));
}

TEST(VideoFrameRateTest, MeasuredRateLookup) {
    struct Case {
        double fps;
        bool interlaced;
        bool precise;
        std::optional<VR> expected;
    } cases[] = {
        {29.97, false, false, VR::fps29_97p}, {29.99, false, false, VR::fps29_97p}, {24.96, false, false, VR::fps25p},
        {29.97, true, false, VR::fps29_97i},  {23.976, false, true, VR::fps23_98p}, {23.98, false, true, std::nullopt},
        {119.88, false, true, VR::fps119_88p}, {59.94, false, true, VR::fps59_94p}, {12.0, false, false, std::nullopt},
        {std::nan(""), false, false, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(VR::fromFps(c.fps, c.interlaced, c.precise), c.expected) << c.fps;
    EXPECT_EQ(VR::fromFps(25.0F, false), VR(VR::fps25p));
}

template <FrameRate Rate>
void expectFrameRateProtocolHolds() {
    for (auto c : Rate::allCases()) {
        const Rate rate(c);
        EXPECT_EQ(Rate::fromStringValue(rate.stringValue()), rate) << rate;
        std::ostringstream printed;
        printed << rate;
        EXPECT_EQ(printed.str(), rate.description());
        EXPECT_EQ(rate.frameDurationMediaTime().value, rate.frameDuration().numerator()) << rate;
        EXPECT_EQ(rate.frameDurationMediaTime().timescale, rate.frameDuration().denominator()) << rate;
        EXPECT_EQ(rate.rateMediaTime().value, rate.rate().numerator()) << rate;
        EXPECT_EQ(rate.rateMediaTime().timescale, rate.rate().denominator()) << rate;
        EXPECT_EQ(std::hash<Rate>()(rate), std::hash<std::string_view>()(rate.rawValue())) << rate;
    }
}

TEST(FrameRateProtocolTest, BothRateTypesAnswerTheSharedMembers) {
    expectFrameRateProtocolHolds<T>();
    expectFrameRateProtocolHolds<VR>();
}

TEST(CaseOrderTest, SortsByPositionAmongTheCases) {
    std::vector<T> rates{T::fps120d, T::fps23_976, T::fps29_97d, T::fps29_97};
    EXPECT_EQ(sortedByCaseOrder(rates), (std::vector<T>{T::fps23_976, T::fps29_97, T::fps29_97d, T::fps120d}));
    std::vector<TimecodeComponent> components{TimecodeComponent::subFrames, TimecodeComponent::days};
    EXPECT_EQ(sortedByCaseOrder(components).front(), TimecodeComponent(TimecodeComponent::days));
    std::vector<TimecodeSubFramesBase> bases{TimecodeSubFramesBase::quarterFrames, TimecodeSubFramesBase::max80SubFrames};
    EXPECT_EQ(sortedByCaseOrder(bases).back(), TimecodeSubFramesBase(TimecodeSubFramesBase::quarterFrames));
}

}  // namespace
}  // namespace tallyvane
