#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

#include "timecode_test_support.h"

namespace tallyvane {
namespace {

using C = TimecodeComponents;
using S = TimecodeSourceValue;
using V = TimecodeFrameCount::Value;

// The set of each source, exactly or under a rule: the components it gives, or outOfBounds.
TEST(TimecodeSourcesTest, Sets) {
    const TimecodeProperties p24 = props(R::fps24);
    const TimecodeProperties p2997d = props(R::fps29_97d);
    struct Case {
        const char* name;
        S source;
        TimecodeProperties properties;
        std::optional<C> expected;
        std::optional<Rule> rule = std::nullopt;  // absent: exactly
    } cases[] = {
        {"combined frames 0.3 at base 80", S::combinedFrames(0.3), p24, C{0, 0, 0, 0, 0, 24}},
        {"combined frames 1.7 at base 100", S::combinedFrames(1.7), props(R::fps24, B::max100SubFrames),
         C{0, 0, 0, 0, 1, 70}},
        {"combined frames -1", S::combinedFrames(-1), p24, std::nullopt},
        {"combined frames -0.01, below one subframe", S::combinedFrames(-0.01), p24, C{}},
        {"combined frames NaN", S::combinedFrames(std::nan("")), p24, std::nullopt},
        {"combined frames inf", S::combinedFrames(kInf), p24, std::nullopt},
        {"combined 107892 at 29.97d", S::combinedFrames(107892), p2997d, C{0, 1, 0, 0, 0, 0}},
        {"last subframe of 24 hours", S::frames(2073599, 79), p24, C{0, 23, 59, 59, 23, 79}},
        {"one subframe more", S::frames(2073600, 0), p24, std::nullopt},
        {"split beyond the base", S::frames(2073599, 80), p24, std::nullopt},
        {"frames at 100 days", S::frames(2073600), props(R::fps24, B::max80SubFrames, L::max100Days),
         C{1, 0, 0, 0, 0, 0}},
        {"frames max", S::frames(kMax), p24, std::nullopt},
        {"frames min", S::frames(kMin), p24, std::nullopt},
        {"unit interval", S::framesUnitInterval(24, 0.5), p24, C{0, 0, 0, 1, 0, 40}},
        {"components 24 hours", S::components(0, 24, 0, 0, 0), p24, std::nullopt},
        {"dropped label", S::components(0, 0, 1, 0, 0), p2997d, std::nullopt},
        {"kept label", S::components(0, 0, 1, 0, 2), p2997d, C{0, 0, 1, 0, 2, 0}},
        {"real time 1 s", S::realTime(1.0), p24, C{0, 0, 0, 1, 0, 0}},
        {"real time of 01:00:00;00", S::realTime(3599.9964), p2997d, C{0, 1, 0, 0, 0, 0}},
        {"real time NaN", S::realTime(std::nan("")), p24, std::nullopt},
        {"real time -inf", S::realTime(-kInf), p24, std::nullopt},
        {"real time 25 h", S::realTime(90000), p24, std::nullopt},
        {"samples 48000 at 48 kHz", S::samples(48000, 48000), p24, C{0, 0, 0, 1, 0, 0}},
        {"samples at 0 Hz", S::samples(48000, 0), p24, std::nullopt},
        {"samples 0 at 0 Hz", S::samples(0, 0), p24, std::nullopt},
        {"media time 1001/24000", S::mediaTime(MediaTime::make(1001, 24000)), props(R::fps23_976), C{0, 0, 0, 0, 1, 0}},
        {"media time 1000/24000", S::mediaTime(MediaTime::make(1000, 24000)), props(R::fps23_976),
         C{0, 0, 0, 0, 0, 79}},
        {"invalid media time", S::mediaTime(MediaTime::invalid()), p24, std::nullopt},
        {"infinite media time", S::mediaTime(MediaTime::makePositiveInfinity()), p24, std::nullopt},
        {"rational 3600s", S::rational(Fraction(3600, 1)), p24, C{0, 1, 0, 0, 0, 0}},
        {"rational 1/0", S::rational(Fraction(1, 0)), p24, std::nullopt},
        {"rational 0/0", S::rational(Fraction(0, 0)), p24, std::nullopt},
        {"rational -1/24", S::rational(Fraction(-1, 24)), p24, std::nullopt},
        {"feet and frames 12+05", S::feetAndFrames(FeetAndFrames{12, 5, 0, B::max80SubFrames}), p24,
         C{0, 0, 0, 8, 5, 0}},
        {"feet and frames rescaled", S::feetAndFrames(FeetAndFrames{0, 1, 40, B::max80SubFrames}),
         props(R::fps24, B::max100SubFrames), C{0, 0, 0, 0, 1, 50}},
        {"feet and frames beyond the limit", S::feetAndFrames(FeetAndFrames{kMax, 0, 0, B::max80SubFrames}),
         p24, std::nullopt},
        {"feet and frames rescaled beyond the limit", S::feetAndFrames(FeetAndFrames{200000, 0, 40, B::max80SubFrames}),
         props(R::fps24, B::max100SubFrames), std::nullopt},
        // Under each rule.
        {"24 h clamping", S::components(0, 24, 0, 0, 0), p24, C{0, 23, 59, 59, 23, 79}, Rule::clamping},
        {"24 h clamping components", S::components(0, 24, 0, 0, 0), p24, C{0, 23, 0, 0, 0, 0},
         Rule::clampingComponents},
        {"24 h wrapping", S::components(0, 24, 0, 0, 0), p24, C{0, 0, 0, 0, 0, 0}, Rule::wrapping},
        {"24 h allowing invalid", S::components(0, 24, 0, 0, 0), p24, C{0, 24, 0, 0, 0, 0}, Rule::allowingInvalid},
        // Counted by the drop-frame formula, the missing label lies two frames before 00:01:00;02.
        {"dropped label clamping", S::components(0, 0, 1, 0, 0), p2997d, C{0, 0, 0, 59, 28, 0}, Rule::clamping},
        {"dropped label wrapping", S::components(0, 0, 1, 0, 0), p2997d, C{0, 0, 0, 59, 28, 0}, Rule::wrapping},
        {"dropped label clamping components", S::components(0, 0, 1, 0, 0), p2997d,
         C{0, 0, 1, 0, 2, 0}, Rule::clampingComponents},
        {"dropped label allowing invalid", S::components(0, 0, 1, 0, 0), p2997d,
         C{0, 0, 1, 0, 0, 0}, Rule::allowingInvalid},
        {"huge hours clamping", S::components(0, kMax, 0, 0, 0), p24, C{0, 23, 59, 59, 23, 79}, Rule::clamping},
        {"huge negative days clamping", S::components(kMin, 5, 0, 0, 0), p24, C{0, 0, 0, 0, 0, 0}, Rule::clamping},
        {"huge subframes wrapping", S::components(0, 0, 0, 0, 0, kMax), p24, C{0, 15, 15, 29, 1, 47}, Rule::wrapping},
        {"frame -1 wrapping", S::frames(-1), p24, C{0, 23, 59, 59, 23, 0}, Rule::wrapping},
        {"frame -1 clamping", S::frames(-1), p24, C{0, 0, 0, 0, 0, 0}, Rule::clamping},
        {"frame -1 allowing invalid", S::frames(-1), p24, C{0, 0, 0, 0, -1, 0}, Rule::allowingInvalid},
        {"frame max clamping", S::frames(kMax), p24, C{0, 23, 59, 59, 23, 79}, Rule::clamping},
        {"frame min wrapping", S::frames(kMin), p24, C{0, 8, 44, 30, 22, 32}, Rule::wrapping},
        {"combined inf clamping", S::combinedFrames(kInf), p24, C{0, 23, 59, 59, 23, 79}, Rule::clamping},
        {"combined NaN clamping", S::combinedFrames(std::nan("")), p24, C{0, 0, 0, 0, 0, 0}, Rule::clamping},
        {"combined NaN allowing invalid", S::combinedFrames(std::nan("")), p24, C{}, Rule::allowingInvalid},
        {"real time -inf clamping", S::realTime(-kInf), p24, C{0, 0, 0, 0, 0, 0}, Rule::clamping},
        {"real time 25 h wrapping", S::realTime(90000), p24, C{0, 1, 0, 0, 0, 0}, Rule::wrapping},
        {"media time 1000/24000", S::mediaTime(MediaTime::make(1000, 24000)), props(R::fps23_976),
         C{0, 0, 0, 0, 0, 0}, Rule::clamping},
        {"media time +inf", S::mediaTime(MediaTime::makePositiveInfinity()), p24, C{0, 23, 59, 59, 23, 79},
         Rule::clamping},
        {"media time invalid", S::mediaTime(MediaTime::invalid()), p24, C{0, 0, 0, 0, 0, 0}, Rule::wrapping},
        {"rational 1/0", S::rational(Fraction(1, 0)), p24, C{0, 23, 59, 59, 23, 79}, Rule::clamping},
        {"rational -1/0", S::rational(Fraction(-1, 0)), p24, C{0, 0, 0, 0, 0, 0}, Rule::clamping},
        {"rational 0/0", S::rational(Fraction(0, 0)), p24, C{0, 0, 0, 0, 0, 0}, Rule::wrapping},
        {"rational 90001s wrapping", S::rational(Fraction(90001, 1)), p24, C{0, 1, 0, 1, 0, 0}, Rule::wrapping},
        {"samples at 0 Hz", S::samples(1, 0), p24, C{0, 23, 59, 59, 23, 79}, Rule::clamping},
        {"feet and frames -1+0", S::feetAndFrames(FeetAndFrames{-1, 0, 0, B::max80SubFrames}), p24,
         C{0, 23, 59, 59, 8, 0}, Rule::wrapping},
    };
    for (const auto& c : cases) {
        const auto make = [&] {
            return c.rule ? Timecode(c.source, c.properties, *c.rule) : Timecode(c.source, c.properties);
        };
        if (c.expected) {
            const Timecode t = make();
            EXPECT_EQ(t.components, *c.expected) << c.name;
            EXPECT_EQ(t.properties, c.properties) << c.name;
        } else {
            EXPECT_EQ(errorCode<TimecodeValidationError>(make), kOutOfBounds) << c.name;
        }
    }
}

// 00:01:00;00 does not exist at 29.97d; each rule treats it its own way.
TEST(TimecodeSourcesTest, DroppedLabelTextUnderEachRule) {
    using F = FormattedTimecodeSourceValue;
    const TimecodeProperties p = props(R::fps29_97d);
    EXPECT_THROW(Timecode(F::string("00:01:00;00"), p), TimecodeValidationError);
    struct Case {
        Rule rule;
        const char* expected;
    } cases[] = {
        {Rule::clamping, "00:00:59;28"},
        {Rule::clampingComponents, "00:01:00;02"},
        {Rule::wrapping, "00:00:59;28"},
        {Rule::allowingInvalid, "00:01:00;00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Timecode(F::string("00:01:00;00"), p, c.rule).stringValue(), c.expected) << static_cast<int>(c.rule);
    }
    EXPECT_EQ(Timecode(F::string("25:00:00:00"), props(R::fps24), Rule::wrapping).stringValue(), "01:00:00:00");
    EXPECT_THROW(Timecode(F::string("25:00:00:00"), props(R::fps24)), TimecodeValidationError);
    EXPECT_THROW(Timecode(F::string("25:00:00"), props(R::fps24), Rule::wrapping), TimecodeStringParseError);
}

TEST(TimecodeSourcesTest, FrameCountSourceAndSubFramesBase) {
    TimecodeFrameCount count(V::split(10, 40), B::max80SubFrames);
    Timecode byRule(S::frameCount(count), props(R::fps24, B::max100SubFrames), Rule::clamping);
    EXPECT_EQ(byRule.components, (C{0, 0, 0, 0, 10, 50}));
    EXPECT_EQ(byRule.properties.subFramesBase, B::max100SubFrames);

    Timecode exact(S::frameCount(count), props(R::fps24, B::max100SubFrames));
    EXPECT_EQ(exact.components, (C{0, 0, 0, 0, 10, 40}));
    EXPECT_EQ(exact.properties.subFramesBase, B::max80SubFrames);
}

TEST(TimecodeSourcesTest, AFailedSetLeavesTheTimecodeUnchanged) {
    Timecode t(S::components(0, 1, 2, 3, 4, 5), props(R::fps24, B::max100SubFrames));
    const Timecode before = t;
    const std::function<void()> failures[] = {
        [&] { t.set(S::frameCount(TimecodeFrameCount(V::frames(-1), B::max80SubFrames))); },
        [&] { t.set(S::combinedFrames(-1)); },
        [&] { t.set(S::components(0, 0, 0, 0, 24)); },
        [&] { t.set(FormattedTimecodeSourceValue::string("nonsense")); },
        [&] { t.set(FormattedTimecodeSourceValue::string("nonsense"), Rule::wrapping); },
        [&] { t.set(RichTimecodeSourceValue::randomComponentsAndProperties(
                  {{-5, -1}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}})); },
    };
    for (const auto& failure : failures) {
        EXPECT_ANY_THROW(failure());
        EXPECT_EQ(t.components, before.components);
        EXPECT_EQ(t.properties, before.properties);
    }
    Timecode copy = t.setting(S::frames(48));
    EXPECT_EQ(copy.components, (C{0, 0, 0, 2, 0, 0}));
    EXPECT_EQ(t.components, before.components);
    t.set(S::frames(-48), Rule::wrapping);
    EXPECT_EQ(t.stringValue(), "23:59:58:00");
}

// A source from elsewhere (media access) that changes the timecode and then fails.
class HalfWayFailingSource final : public TimecodeSource {
public:
    void set(Timecode& t) const override {
        t.properties.frameRate = R::fps60;
        t.components.hours = 9;
        throw TimecodeValidationError(TimecodeValidationError::Code::outOfBounds);
    }
    void setByRule(Timecode& t, Rule) const override { set(t); }
};

TEST(TimecodeSourcesTest, SourcesFromOtherSubsystemsCommitOnlyOnSuccess) {
    Timecode t(S::components(0, 1, 0, 0, 0), props(R::fps25));
    S failing(std::make_shared<HalfWayFailingSource>());
    EXPECT_THROW(t.set(failing), TimecodeValidationError);
    EXPECT_THROW(t.set(failing, Rule::clamping), TimecodeValidationError);
    EXPECT_EQ(t.stringValue(), "01:00:00:00");
    EXPECT_EQ(t.properties.frameRate, R::fps25);
    EXPECT_THROW(Timecode(failing, props(R::fps24)), TimecodeValidationError);
}

TEST(TimecodeSourcesTest, FeetAndFramesText) {
    struct Case {
        const char* text;
        std::optional<FeetAndFrames> expected;
    } cases[] = {
        {"12+05", FeetAndFrames{12, 5, 0, B::max80SubFrames}},
        {"12+05.40", FeetAndFrames{12, 5, 40, B::max80SubFrames}},
        {"0+0", FeetAndFrames{0, 0, 0, B::max80SubFrames}},
        {"12+5.", std::nullopt},
        {"-1+0", std::nullopt},
        {"12", std::nullopt},
        {"", std::nullopt},
        {"12+05 ", std::nullopt},
        {"99999999999999999999+0", std::nullopt},
    };
    for (const auto& c : cases) {
        if (c.expected) {
            EXPECT_EQ(FeetAndFrames::parse(c.text, B::max80SubFrames), *c.expected) << c.text;
        } else {
            EXPECT_THROW(FeetAndFrames::parse(c.text, B::max80SubFrames), TimecodeStringParseError) << c.text;
        }
    }
    Timecode t(S::feetAndFrames("12+05", B::max80SubFrames), props(R::fps24));
    EXPECT_EQ(t.frameCount().value.wholeFrames(), 197);
}

TEST(TimecodeSourcesTest, GuaranteedAndRichSources) {
    Timecode t(S::components(0, 1, 2, 3, 4, 3), props(R::fps50, B::quarterFrames, L::max100Days));
    t.set(GuaranteedTimecodeSourceValue::zero());
    EXPECT_EQ(t.components, TimecodeComponents::zero());
    EXPECT_EQ(t.properties, props(R::fps50, B::quarterFrames, L::max100Days));

    for (int i = 0; i < 50; ++i) {
        Timecode r(GuaranteedTimecodeSourceValue::random(), props(R::fps29_97d));
        EXPECT_TRUE(r.isValid()) << r.description();
        Timecode rich(GuaranteedRichTimecodeSourceValue::random());
        EXPECT_TRUE(rich.isValid()) << rich.verboseDescription();
        Timecode unsafe(RichTimecodeSourceValue::randomComponentsAndProperties(TimecodeComponentRanges::twoDigit()),
                        Rule::clampingComponents);
        EXPECT_TRUE(unsafe.isValid()) << unsafe.verboseDescription();
    }
    Timecode fixed(S::randomComponents({{0, 0}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}), props(R::fps24));
    EXPECT_EQ(fixed.stringValue(), "02:03:04:05");
}

}  // namespace
}  // namespace tallyvane
