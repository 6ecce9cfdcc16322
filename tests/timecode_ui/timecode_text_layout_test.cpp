#include "timecode_ui/timecode_text_layout.h"

#include <gtest/gtest.h>

#include "unchecked_timecode.h"
#include "support/named_case.h"

namespace tallyvane {
namespace {

using test::PrintTo;

using Rate = TimecodeFrameRate;
using Base = Timecode::SubFramesBase;
using Limit = Timecode::UpperLimit;
using Option = TimecodeStringFormatOption;

const ShapeStyle red = ShapeStyle::red();
const ShapeStyle gray = ShapeStyle::color({128, 128, 128, 255});
const ShapeStyle green = ShapeStyle::color({0, 200, 0, 255});

// The piece with "[...]" around it when red, "{...}" when gray and "<...>" when green.
std::string bracketed(const std::string& piece, bool isRed, bool isGray, bool isGreen) {
    if (isRed) return "[" + piece + "]";
    if (isGray) return "{" + piece + "}";
    return isGreen ? "<" + piece + ">" : piece;
}

// The runs as text, bracketed by style and with a "~" after secondary-scale pieces.
std::string marked(const std::vector<StyledRun>& runs) {
    std::string text;
    for (const auto& run : runs) {
        std::string piece = bracketed(run.text, run.style == red, run.style == gray, run.style == green);
        if (run.scale == TextScale::secondary) piece += "~";
        text += piece;
    }
    return text;
}

struct StyledRunCase {
    const char* name;
    Timecode timecode;
    Timecode::StringFormat format;
    TimecodeTextStyles styles;
    std::string shown;
};

class StyledRunsTest : public testing::TestWithParam<StyledRunCase> {};

TEST_P(StyledRunsTest, LaysOutAndStyles) {
    const StyledRunCase& c = GetParam();
    EXPECT_EQ(marked(timecodeStyledRuns(c.timecode, c.format, c.styles)), c.shown);
}

const TimecodeTextStyles defaults{std::nullopt, std::nullopt, TextScale::standard, red};

INSTANTIATE_TEST_SUITE_P(
    Layout, StyledRunsTest,
    testing::Values(
        StyledRunCase{"FourGroups", make({0, 1, 2, 3, 4, 0}, Rate::fps25), {}, defaults, "01:02:03:04"},
        StyledRunCase{"DaysShownWhenNotZero", make({2, 1, 2, 3, 4, 0}, Rate::fps25, Base::max80SubFrames, Limit::max100Days),
             {}, defaults, "2 01:02:03:04"},
        StyledRunCase{"ZeroDaysOnlyWhenAlwaysShown", make({0, 1, 2, 3, 4, 0}, Rate::fps25), {Option::alwaysShowDays},
             defaults, "0 01:02:03:04"},
        StyledRunCase{"DropFrameSemicolon", make({0, 1, 2, 3, 4, 0}, Rate::fps29_97d), {}, defaults, "01:02:03;04"},
        StyledRunCase{"ThreeFrameDigitsAt120", make({0, 0, 0, 0, 5, 0}, Rate::fps120), {}, defaults, "00:00:00:005"},
        StyledRunCase{"QuarterFramesOneDigit", make({0, 0, 0, 0, 5, 3}, Rate::fps24, Base::quarterFrames),
             {Option::showSubFrames}, defaults, "00:00:00:05.3"},
        StyledRunCase{"HundredSubframesTwoDigits", make({0, 0, 0, 0, 5, 7}, Rate::fps24, Base::max100SubFrames),
             {Option::showSubFrames}, defaults, "00:00:00:05.07"}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Styles, StyledRunsTest,
    testing::Values(
        StyledRunCase{"InvalidHoursInValidationStyle", make({0, 25, 2, 3, 4, 0}, Rate::fps25), {}, defaults, "[25]:02:03:04"},
        StyledRunCase{"NothingMarkedWithoutValidationStyle", make({0, 25, 2, 3, 4, 0}, Rate::fps25), {},
             {std::nullopt, std::nullopt, TextScale::standard, std::nullopt}, "25:02:03:04"},
        StyledRunCase{"SeparatorStyle", make({0, 1, 2, 3, 4, 0}, Rate::fps25), {},
             {gray, std::nullopt, TextScale::standard, red}, "01{:}02{:}03{:}04"},
        StyledRunCase{"SubframesStyleAndScale", make({0, 1, 2, 3, 4, 10}, Rate::fps25), {Option::showSubFrames},
             {std::nullopt, green, TextScale::secondary, red}, "01:02:03:04.<10>~"},
        StyledRunCase{"InvalidSubframesTakeValidationStyle", make({0, 1, 2, 3, 4, 90}, Rate::fps25), {Option::showSubFrames},
             {std::nullopt, green, TextScale::secondary, red}, "01:02:03:04.[90]~"},
        StyledRunCase{"InvalidSubframesPlainWithoutValidationStyle", make({0, 1, 2, 3, 4, 90}, Rate::fps25),
             {Option::showSubFrames}, {std::nullopt, green, TextScale::standard, std::nullopt},
             "01:02:03:04.90"},
        StyledRunCase{"DroppedFrameLabelMarked", make({0, 0, 1, 0, 0, 0}, Rate::fps29_97d), {}, defaults, "00:01:00;[00]"}),
    [](const auto& info) { return info.param.name; });

// The runs as text, bracketed by foreground colour.
std::string coloured(const AttributedText& text) {
    std::string shown;
    for (const auto& run : text.runs) {
        const auto& color = run.attributes.foreground;
        shown += bracketed(run.text, color == red.rgba(), color == gray.rgba(), color == green.rgba());
    }
    return shown;
}

TEST(TimecodeAttributedStringTest, ColoursFollowTheViewsRuleExceptForUncolouredInvalidSubframes) {
    struct Row {
        const char* name;
        Timecode timecode;
        Timecode::StringFormat format;
        std::optional<Rgba> separator, subFrames, validation;
        std::string shown;
    };
    const Row rows[] = {
        {"filename dashes keep the days space",
         make({3, 1, 2, 3, 4, 0}, Rate::fps29_97d, Base::max80SubFrames, Limit::max100Days),
         {Option::filenameCompatible}, gray.rgba(), std::nullopt, std::nullopt, "3{ }01{-}02{-}03{-}04"},
        {"invalid hours", make({0, 25, 2, 3, 4, 0}, Rate::fps25), {}, std::nullopt, std::nullopt, red.rgba(),
         "[25]:02:03:04"},
        {"valid subframes", make({0, 1, 2, 3, 4, 10}, Rate::fps25), {Option::showSubFrames}, std::nullopt,
         green.rgba(), red.rgba(), "01:02:03:04.<10>"},
        {"invalid subframes", make({0, 1, 2, 3, 4, 90}, Rate::fps25), {Option::showSubFrames}, std::nullopt,
         green.rgba(), red.rgba(), "01:02:03:04.[90]"},
        {"invalid subframes without a validation colour", make({0, 1, 2, 3, 4, 90}, Rate::fps25),
         {Option::showSubFrames}, std::nullopt, green.rgba(), std::nullopt, "01:02:03:04.<90>"},
    };
    for (const Row& row : rows) {
        const auto text =
            timecodeAttributedString(row.timecode, row.format, row.separator, row.subFrames, row.validation);
        EXPECT_EQ(coloured(text), row.shown) << row.name;
    }
}

TEST(TimecodeAttributedTextTest, FieldTextKeepsColonsAndLaysAttributesOver) {
    const TextAttributes base{Rgba{0, 0, 0, 255}, std::nullopt, std::nullopt, std::nullopt};
    const TextAttributes separators{Rgba{9, 9, 9, 255}, std::nullopt, std::nullopt, std::nullopt};
    const TextAttributes sub{std::nullopt, std::nullopt, true, std::nullopt};
    const TextAttributes invalid{Rgba{255, 0, 0, 255}, std::nullopt, std::nullopt, true};

    const auto text = timecodeAttributedText(make({0, 1, 75, 3, 4, 90}, Rate::fps29_97d),
                                             {Option::filenameCompatible, Option::showSubFrames}, base, separators,
                                             sub, invalid);
    EXPECT_EQ(text.plainText(), "01:75:03;04.90");
    ASSERT_EQ(text.runs.size(), 9u);
    EXPECT_EQ(text.runs[0].attributes, base);
    EXPECT_EQ(text.runs[1].attributes, separators);
    EXPECT_EQ(text.runs[2].attributes, base.mergedWith(invalid));
    EXPECT_EQ(text.runs[8].attributes, base.mergedWith(invalid));

    const auto valid =
        timecodeAttributedText(make({0, 1, 2, 3, 4, 9}, Rate::fps25), {Option::showSubFrames}, base, std::nullopt,
                               sub, std::nullopt);
    EXPECT_EQ(valid.runs[1].attributes, base);
    EXPECT_EQ(valid.runs[8].attributes, base.mergedWith(sub));
}

}  // namespace
}  // namespace tallyvane
