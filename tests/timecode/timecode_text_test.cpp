#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>

#include "timecode/text_utilities.h"
#include "timecode_test_support.h"

namespace tallyvane {
namespace {

using O = TimecodeStringFormatOption;

TEST(TimecodeTextTest, FormatsEveryOption) {
    struct Case {
        R rate;
        B base;
        TimecodeComponents components;
        TimecodeStringFormat format;
        const char* expected;
    } cases[] = {
        {R::fps24, B::max80SubFrames, {0, 1, 0, 0, 0, 0}, {}, "01:00:00:00"},
        {R::fps29_97d, B::max80SubFrames, {0, 1, 0, 0, 0, 0}, {}, "01:00:00;00"},
        {R::fps120, B::max80SubFrames, {0, 1, 0, 0, 5, 0}, {}, "01:00:00:005"},
        {R::fps119_88d, B::max80SubFrames, {0, 1, 0, 0, 5, 0}, {}, "01:00:00;005"},
        {R::fps24, B::max80SubFrames, {2, 1, 0, 0, 0, 0}, {}, "2 01:00:00:00"},
        {R::fps24, B::max80SubFrames, {0, 1, 0, 0, 0, 0}, {O::alwaysShowDays}, "0 01:00:00:00"},
        {R::fps24, B::max80SubFrames, {0, 1, 0, 0, 0, 7}, {O::showSubFrames}, "01:00:00:00.07"},
        {R::fps24, B::quarterFrames, {0, 1, 0, 0, 0, 3}, {O::showSubFrames}, "01:00:00:00.3"},
        {R::fps29_97d, B::max80SubFrames, {1, 1, 0, 0, 0, 0}, {O::filenameCompatible}, "1-01-00-00-00"},
        {R::fps29_97d, B::max100SubFrames, {0, 1, 0, 0, 0, 99},
         {O::filenameCompatible, O::showSubFrames, O::alwaysShowDays}, "0-01-00-00-00.99"},
        {R::fps24, B::max80SubFrames, {0, -5, 123, 0, 0, 0}, {}, "-5:123:00:00"},
        {R::fps120, B::max80SubFrames, {0, 0, 0, 0, -5, 0}, {}, "00:00:00:-05"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tc(c.components, props(c.rate, c.base, L::max100Days)).stringValue(c.format), c.expected);
    }
}

// The text as it is defined: each field padded on its own, then the separators of a
// file name swapped in.
std::string referenceTimecodeText(const Timecode& t, TimecodeStringFormat format) {
    const auto padded = [](std::int64_t value, int width) {
        const std::string signed_ = std::to_string(value);
        const std::size_t zeros = static_cast<std::size_t>(std::max(0, width - static_cast<int>(signed_.size())));
        return value < 0 ? "-" + std::string(zeros, '0') + signed_.substr(1) : std::string(zeros, '0') + signed_;
    };
    const TimecodeComponents& c = t.components;
    std::string text;
    if (format.alwaysShowsDays() || c.days != 0) text += std::to_string(c.days) + " ";
    text += padded(c.hours, 2) + ":" + padded(c.minutes, 2) + ":" + padded(c.seconds, 2);
    text += t.properties.frameRate.isDrop() ? ";" : ":";
    text += padded(c.frames, t.properties.frameRate.numberOfDigits());
    if (format.showsSubFrames()) text += "." + padded(c.subFrames, t.properties.subFramesBase.numberOfDigits());
    if (format.isFilenameCompatible()) {
        std::replace_if(text.begin(), text.end(), [](char ch) { return ch == ':' || ch == ';' || ch == ' '; }, '-');
    }
    return text;
}

TEST(TimecodeTextTest, FormatsAnyComponentsAtEveryRateBaseAndFormatAsDefined) {
    std::mt19937_64 random(20261207);
    // Mostly valid sizes, some negative, some at the ends of 64 bits.
    const auto component = [&](std::int64_t usual) -> std::int64_t {
        switch (random() % 8) {
            case 0: return kMin;
            case 1: return kMax;
            case 2: return -static_cast<std::int64_t>(random() % 1000);
            case 3: return static_cast<std::int64_t>(random() % 100000);
            default: return static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(usual));
        }
    };
    for (const R rate : R::allCases()) {
        for (const B base : B::allCases()) {
            for (int i = 0; i < 200; ++i) {
                const TimecodeComponents components{component(3), component(24), component(60), component(60),
                                                   component(120), component(100)};
                const Timecode t = tc(components, props(rate, base, L::max100Days));
                for (unsigned bits = 0; bits < 8; ++bits) {
                    TimecodeStringFormat format;
                    format.setAlwaysShowsDays((bits & 1) != 0);
                    format.setShowsSubFrames((bits & 2) != 0);
                    format.setFilenameCompatible((bits & 4) != 0);
                    ASSERT_EQ(t.stringValue(format), referenceTimecodeText(t, format)) << components;
                }
            }
        }
    }
}

TEST(TimecodeTextTest, DescriptionShowsSubFramesAndVerboseAndDebugDescriptionsTheRate) {
    const Timecode t(TimecodeSourceValue::components(0, 1, 0, 0, 0, 12), props(R::fps29_97d));
    EXPECT_EQ(t.description(), "01:00:00;00.12");
    EXPECT_EQ(t.verboseDescription(), "01:00:00;00.12 @ 29.97 fps drop");
    EXPECT_EQ(t.debugDescription(), "Timecode<01:00:00;00.12 @ 29.97 fps drop>");
    EXPECT_EQ(tc({0, 1, 0, 0, 0, 0}, props(R::fps24, B::max80SubFrames, L::max100Days)).debugDescription(),
              "Timecode<0 01:00:00:00.00 @ 24 fps>");
}

TEST(TimecodeTextTest, ParsesTimecodeText) {
    struct Case {
        std::string text;
        std::optional<TimecodeComponents> expected;
    } cases[] = {
        {"01:00:00:00", TimecodeComponents{0, 1, 0, 0, 0, 0}},
        {"01:00:00;00", TimecodeComponents{0, 1, 0, 0, 0, 0}},
        {"1 01:00:00:00.05", TimecodeComponents{1, 1, 0, 0, 0, 5}},
        {"1:01:00:00:00", TimecodeComponents{1, 1, 0, 0, 0, 0}},
        {"1 25:61:61:99", TimecodeComponents{1, 25, 61, 61, 99, 0}},
        {"00:00:00:0000", TimecodeComponents{0, 0, 0, 0, 0, 0}},
        {"01:00:00", std::nullopt},
        {"", std::nullopt},
        {"ab:cd:ef:gh", std::nullopt},
        {"01:00:00:00 ", std::nullopt},
        {" 01:00:00:00", TimecodeComponents{0, 1, 0, 0, 0, 0}},  // the days separator may stand alone
        {"-1:00:00:00", std::nullopt},
        {"01-00-00-00", std::nullopt},
        // A group that matches but is no 64-bit number is malformed, never a silent 0.
        {"99999999999999999999:00:00:00", std::nullopt},
        {"1 01:00:00:00.99999999999999999999", std::nullopt},
        {"\xd9\xa1:00:00:00", std::nullopt},  // ARABIC-INDIC DIGIT ONE
        // Longer than any real timecode: refused before matching, which would take seconds.
        {std::string(243, '0') + "1 01:00:00:00", TimecodeComponents{1, 1, 0, 0, 0, 0}},
        {std::string(244, '0') + "1 01:00:00:00", std::nullopt},
        {std::string(40000, '1'), std::nullopt},
    };
    for (const auto& c : cases) {
        if (c.expected) {
            EXPECT_EQ(Timecode::parseComponents(c.text), *c.expected) << c.text;
        } else {
            EXPECT_THROW(Timecode::parseComponents(c.text), TimecodeStringParseError) << c.text;
        }
    }
}

TEST(TimecodeTextTest, FormatOptions) {
    TimecodeStringFormat format;
    format.setShowsSubFrames(true);
    format.setAlwaysShowsDays(true);
    format.setAlwaysShowsDays(false);
    EXPECT_EQ(format, TimecodeStringFormat::showSubFramesSet());
    EXPECT_FALSE(timecodeStringFormatOption("AlwaysShowDays").has_value());
    EXPECT_TRUE(Timecode::defaultStringFormat().isEmpty());
    const Timecode withDaysAndSubFrames = tc({1, 2, 3, 4, 5, 6}, props(R::fps25));
    EXPECT_EQ(withDaysAndSubFrames.stringValue(), withDaysAndSubFrames.stringValue(Timecode::defaultStringFormat()));
}

TEST(TextUtilitiesTest, RegularExpressionHelpers) {
    EXPECT_EQ(regexMatches("a1b22c333", R"(\d+)"), (std::vector<std::string>{"1", "22", "333"}));
    EXPECT_TRUE(regexMatches("abc", "(").empty());
    auto groups = regexCaptureGroups("x=1;y=", R"((\w)=(\d)?)");
    ASSERT_EQ(groups.size(), 2U);
    EXPECT_EQ(groups[0][2], std::optional<std::string>("1"));
    EXPECT_EQ(groups[1][2], std::nullopt);
    // Compile options and matching options side by side; anchored matches run on from
    // the start of the text without a gap.
    EXPECT_EQ(regexMatches("aAb", "a", UREGEX_CASE_INSENSITIVE), (std::vector<std::string>{"a", "A"}));
    EXPECT_EQ(regexMatches("12ab34", R"(\d)", 0, {.anchored = true}), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(regexMatches("x12", R"(\d)", 0, {.anchored = true}).empty());
    EXPECT_EQ(regexCaptureGroups("a1a2b3", R"(a(\d))", 0, {.anchored = true}).size(), 2U);
    EXPECT_EQ(regexReplacing("12+05", R"((\d+)\+(\d+))", "$2/$1"), std::optional<std::string>("05/12"));
    EXPECT_EQ(regexReplacing("x", "[", "y"), std::nullopt);
    auto set = characterSet({"0123456789", ":;"});
    EXPECT_TRUE(containsNone("abc", set));
    EXPECT_FALSE(containsNone("ab;", set));
    EXPECT_TRUE(containsNone("", set));
    EXPECT_EQ(parseInt64("-42"), -42);
    EXPECT_EQ(parseInt64("+42"), std::nullopt);
    EXPECT_EQ(parseInt64("9223372036854775808"), std::nullopt);
}

}  // namespace
}  // namespace tallyvane
