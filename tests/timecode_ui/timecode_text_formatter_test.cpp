#include "timecode_ui/timecode_text_formatter.h"
#include "support/named_case.h"

#include <gtest/gtest.h>

namespace tallyvane {
namespace {

using test::PrintTo;

using Rate = TimecodeFrameRate;
using Base = Timecode::SubFramesBase;
using Limit = Timecode::UpperLimit;
using Option = TimecodeStringFormatOption;
using Verdict = TimecodeTextFormatter::PartialCheck::Verdict;

TimecodeTextFormatter formatter(std::optional<Rate> rate, Limit limit = Limit::max24Hours,
                                Timecode::StringFormat format = {}) {
    std::optional<Timecode::Properties> properties;
    if (rate) properties = Timecode::Properties{*rate, Base::max80SubFrames, limit};
    return TimecodeTextFormatter(properties, format, false, std::nullopt);
}

struct PartialCase {
    const char* name;
    TimecodeTextFormatter formatter;
    std::string proposed;
    Verdict verdict;
    std::string replacement;
};

class PartialStringTest : public testing::TestWithParam<PartialCase> {};

TEST_P(PartialStringTest, JudgesTheEdit) {
    const PartialCase& c = GetParam();
    const auto check = c.formatter.isPartialStringValid(c.proposed);
    EXPECT_EQ(check.verdict, c.verdict);
    EXPECT_EQ(check.replacement, c.replacement);
}

INSTANTIATE_TEST_SUITE_P(
    Separators, PartialStringTest,
    testing::Values(
        PartialCase{"NoRateAcceptsAnything", formatter(std::nullopt), "abc", Verdict::accept, ""},
        PartialCase{"ColonsAccepted", formatter(Rate::fps25), "01:02:03:04", Verdict::accept, ""},
        PartialCase{"StopsBecomeColonsAt25", formatter(Rate::fps25), "01.02.03.04", Verdict::replace,
                    "01:02:03:04"},
        PartialCase{"StopsBecomeSemicolonBeforeDropFrames", formatter(Rate::fps29_97d), "01.02.03.04",
                    Verdict::replace, "01:02:03;04"},
        PartialCase{"EarlySemicolonsBecomeColons", formatter(Rate::fps29_97d), "01;02;", Verdict::replace, "01:02:"},
        PartialCase{"ThirdSemicolonStaysAndIsAnswered", formatter(Rate::fps29_97d), "01:02:03;", Verdict::replace,
                    "01:02:03;"},
        PartialCase{"FourthColonRefused", formatter(Rate::fps25), "01:02:03:04:", Verdict::refuse, ""},
        PartialCase{"SubframesStopNeedsTheFormat", formatter(Rate::fps25), "01:02:03:04.", Verdict::refuse, ""},
        PartialCase{"SubframesStopWithTheFormat", formatter(Rate::fps25, Limit::max24Hours, {Option::showSubFrames}),
                    "01:02:03:04.5", Verdict::accept, ""},
        PartialCase{"SecondSubframesStopRefused",
                    formatter(Rate::fps25, Limit::max24Hours, {Option::showSubFrames}), "01:02:03:04.5.",
                    Verdict::refuse, ""}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Spaces, PartialStringTest,
    testing::Values(
        PartialCase{"RefusedAt24Hours", formatter(Rate::fps25), "1 ", Verdict::refuse, ""},
        PartialCase{"DaysSpaceAt100Days", formatter(Rate::fps25, Limit::max100Days), "12 01:02", Verdict::accept, ""},
        PartialCase{"LeadingSpaceRefused", formatter(Rate::fps25, Limit::max100Days), " 01", Verdict::refuse, ""},
        PartialCase{"SecondSpaceRefused", formatter(Rate::fps25, Limit::max100Days), "1 2 ", Verdict::refuse, ""},
        PartialCase{"SpaceAfterColonRefused", formatter(Rate::fps25, Limit::max100Days), "01:02 ", Verdict::refuse,
                    ""},
        PartialCase{"StopsAfterDaysStillConverted", formatter(Rate::fps29_97d, Limit::max100Days), "3 01.02.03.04",
                    Verdict::replace, "3 01:02:03;04"}),
    [](const auto& info) { return info.param.name; });

TEST(TimecodeTextFormatterTest, ForeignCharactersAreRefusedWithADescription) {
    for (const char* text : {"01:02:03:04x", "01-02", "٠١:٠٢"}) {
        const auto check = formatter(Rate::fps25).isPartialStringValid(text);
        EXPECT_EQ(check.verdict, Verdict::refuse) << text;
        EXPECT_EQ(check.errorDescription, "Invalid characters.") << text;
    }
}

TEST(TimecodeTextFormatterTest, ShownText) {
    struct Row {
        TimecodeTextFormatter formatter;
        std::optional<std::string> value;
        std::optional<std::string> shown;
    };
    const Row rows[] = {
        {formatter(Rate::fps29_97d), "1:2:3:4", "01:02:03;04"},
        {formatter(Rate::fps25, Limit::max24Hours, {Option::showSubFrames}), "1:2:3:4.5", "01:02:03:04.05"},
        {formatter(Rate::fps25), "not a timecode", "not a timecode"},
        {formatter(std::nullopt), "1:2:3:4", "1:2:3:4"},
        {formatter(Rate::fps25), std::nullopt, std::nullopt},
    };
    for (const Row& row : rows) EXPECT_EQ(row.formatter.string(row.value), row.shown) << row.value.value_or("nil");
}

TEST(TimecodeTextFormatterTest, StyledTextShowsTheSubframesTheTextHolds) {
    TimecodeTextFormatter shown({{Rate::fps25, Base::max80SubFrames, Limit::max24Hours}},
                                Timecode::StringFormat{Option::showSubFrames}, true, std::nullopt);
    EXPECT_EQ(shown.attributedString("01:02:03:04.50", std::nullopt)->plainText(), "01:02:03:04.50");
}

TEST(TimecodeTextFormatterTest, WithoutASubframesBaseThereAreNoPropertiesButTheTextIsStillJudged) {
    TimecodeTextFormatter f = formatter(Rate::fps25);
    f.subFramesBase.reset();
    EXPECT_FALSE(f.properties());
    EXPECT_EQ(f.isPartialStringValid("01.").verdict, Verdict::replace);
}

}  // namespace
}  // namespace tallyvane
