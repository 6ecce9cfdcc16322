#include "timecode_ui/component_state_model.h"
#include "support/named_case.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tallyvane {
namespace {

using test::PrintTo;

using Component = Timecode::Component;
using Style = TimecodeField::InputStyle;
using Policy = TimecodeField::ValidationPolicy;

Timecode::Properties at(TimecodeFrameRate rate, Timecode::SubFramesBase base = Timecode::SubFramesBase::max80SubFrames,
                        Timecode::UpperLimit limit = Timecode::UpperLimit::max24Hours) {
    return {rate, base, limit};
}

// Typed characters; letters stand for the special keys.
std::vector<KeyEquivalent> keys(const std::string& typed) {
    std::vector<KeyEquivalent> result;
    for (char ch : typed) {
        switch (ch) {
            case 'U': result.push_back(KeyEquivalent::upArrow()); break;
            case 'D': result.push_back(KeyEquivalent::downArrow()); break;
            case 'L': result.push_back(KeyEquivalent::leftArrow()); break;
            case 'R': result.push_back(KeyEquivalent::rightArrow()); break;
            case 'B': result.push_back(KeyEquivalent::deleteBackward()); break;
            case 'X': result.push_back(KeyEquivalent::deleteCharacter()); break;
            case 'F': result.push_back(KeyEquivalent::deleteForward()); break;
            case 'C': result.push_back(KeyEquivalent::clear()); break;
            case 'E': result.push_back(KeyEquivalent::escape()); break;
            case 'N': result.push_back(KeyEquivalent::returnKey()); break;
            case 'K': result.push_back(KeyEquivalent::enter()); break;
            case 'T': result.push_back(KeyEquivalent::tab()); break;
            default: result.push_back(KeyEquivalent(static_cast<char32_t>(ch))); break;
        }
    }
    return result;
}

struct Sequence {
    const char* name;
    Component component;
    Timecode::Properties properties;
    std::int64_t start;
    std::string typed;
    // Each key's result, space-separated.
    std::string results;
    std::int64_t value;
    std::string display;
    Style style = Style::continuousWithinComponent;
    Policy policy = Policy::enforceValid;
};

class KeySequenceTest : public testing::TestWithParam<Sequence> {};

TEST_P(KeySequenceTest, EditsTheComponent) {
    const Sequence& s = GetParam();
    ComponentStateModel model(s.component, s.properties, s.start);
    std::string results;
    for (KeyEquivalent key : keys(s.typed)) {
        if (!results.empty()) results += " ";
        results += model.handleKeyPress(key, s.style, s.policy).description();
    }
    EXPECT_EQ(results, s.results);
    EXPECT_EQ(model.value(), s.value);
    EXPECT_EQ(model.displayText(), s.display);
}

const auto fps25 = at(TimecodeFrameRate::fps25);
const auto fps2997d = at(TimecodeFrameRate::fps29_97d);
const auto fps120 = at(TimecodeFrameRate::fps120);
const auto fps11988d = at(TimecodeFrameRate::fps119_88d);
const auto quarter = at(TimecodeFrameRate::fps24, Timecode::SubFramesBase::quarterFrames);
const auto days100 = at(TimecodeFrameRate::fps30d, Timecode::SubFramesBase::max100SubFrames,
                        Timecode::UpperLimit::max100Days);

constexpr const char* H = "<handled>";

INSTANTIATE_TEST_SUITE_P(
    ContinuousWithinComponent, KeySequenceTest,
    testing::Values(
        Sequence{"HoursThirtyFourAllowedInvalid", Component::hours, fps25, 0, "1234",
                 "<handled> <handled> <handled> <handled>", 34, "34", Style::continuousWithinComponent,
                 Policy::allowInvalid},
        Sequence{"DigitAfterFocusReplaces", Component::hours, fps25, 12, "7", H, 7, "07"},
        Sequence{"Frames30AtDropRateRejected", Component::frames, fps2997d, 0, "30", "<handled> <handled invalid>", 3,
                 "03"},
        Sequence{"ThreeFrameDigitsAt120", Component::frames, fps120, 0, "1195",
                 "<handled> <handled> <handled> <handled invalid>", 119, "119"},
        Sequence{"FrameFiveAt11988dShowsThreeDigits", Component::frames, fps11988d, 0, "5", H, 5, "005"},
        Sequence{"QuarterFramesOneDigit", Component::subFrames, quarter, 0, "234",
                 "<handled> <handled> <handled invalid>", 3, "3"},
        Sequence{"DaysAtHundredDays", Component::days, days100, 0, "987", "<handled> <handled> <handled>", 87, "87"},
        Sequence{"DaysAt24HoursRejected", Component::days, fps25, 0, "1", "<handled invalid>", 0, "00"}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    AutoAdvance, KeySequenceTest,
    testing::Values(
        Sequence{"SecondsAdvanceAfterTwo", Component::seconds, fps25, 0, "12", "<handled> <handled focusNextComponent>",
                 12, "12", Style::autoAdvance},
        Sequence{"FramesAt120NeedThree", Component::frames, fps120, 0, "105",
                 "<handled> <handled> <handled focusNextComponent>", 105, "105", Style::autoAdvance},
        Sequence{"QuarterFramesNeedOne", Component::subFrames, quarter, 0, "2", "<handled focusNextComponent>", 2, "2",
                 Style::autoAdvance},
        Sequence{"ThirdDigitRejectedWhenInvalid", Component::frames, fps25, 0, "123",
                 "<handled> <handled focusNextComponent> <handled invalid>", 12, "12", Style::autoAdvance},
        Sequence{"ThirdDigitOnlyMovesOnWhenAllowed", Component::frames, fps25, 0, "123",
                 "<handled> <handled focusNextComponent> <handled focusNextComponent>", 12, "12", Style::autoAdvance,
                 Policy::allowInvalid}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Unbounded, KeySequenceTest,
    testing::Values(
        Sequence{"GrowsPastTheFieldWidth", Component::frames, fps25, 0, "1234",
                 "<handled> <handled> <handled> <handled>", 1234, "1234", Style::unbounded, Policy::allowInvalid},
        Sequence{"StillValidatedWhenEnforced", Component::frames, fps25, 0, "245",
                 "<handled> <handled> <handled invalid>", 24, "24", Style::unbounded},
        Sequence{"OverflowIgnoredSilently", Component::frames, fps25, 0, "99999999999999999999",
                 "<handled> <handled> <handled> <handled> <handled> <handled> <handled> <handled> <handled> "
                 "<handled> <handled> <handled> <handled> <handled> <handled> <handled> <handled> <handled> "
                 "<ignored> <ignored>",
                 999999999999999999, "999999999999999999", Style::unbounded, Policy::allowInvalid}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    StepsAndDeletion, KeySequenceTest,
    testing::Values(
        Sequence{"IncrementWrapsMinutes", Component::minutes, fps25, 59, "+", H, 0, "00"},
        Sequence{"OutOfRangeIncrementGoesToLower", Component::minutes, fps25, 75, "U", H, 0, "00",
                 Style::continuousWithinComponent, Policy::allowInvalid},
        Sequence{"OutOfRangeDecrementGoesToUpper", Component::minutes, fps25, 75, "D", H, 59, "59",
                 Style::continuousWithinComponent, Policy::allowInvalid},
        Sequence{"IncrementAtTopOfIntegersWraps", Component::minutes, fps25, INT64_MAX, "U", H, 0, "00",
                 Style::unbounded, Policy::allowInvalid},
        Sequence{"DecrementAtBottomOfIntegersWraps", Component::minutes, fps25, INT64_MIN, "D", H, 59, "59",
                 Style::unbounded, Policy::allowInvalid},
        Sequence{"DigitAfterIncrementStartsNewEntry", Component::minutes, fps25, 0, "1U5",
                 "<handled> <handled> <handled>", 5, "05"},
        Sequence{"BackspaceOnVirginClears", Component::seconds, fps25, 12, "X", H, 0, "00"},
        Sequence{"BackspaceWalksBackTheTypedDigits", Component::seconds, fps25, 0, "12BBB",
                 "<handled> <handled> <handled> <handled> <handled focusPreviousComponent>", 0, "00"},
        Sequence{"ForwardDeleteNeverMoves", Component::seconds, fps25, 0, "FC", "<handled> <handled>", 0, "00"},
        Sequence{"DigitAfterForwardDeleteExtends", Component::seconds, fps25, 0, "F4", "<handled> <handled>", 4, "04"},
        Sequence{"NegativeValueKeepsItsSign", Component::frames, fps120, -5, "", "", -5, "-05",
                 Style::continuousWithinComponent, Policy::allowInvalid}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    NavigationAndOtherKeys, KeySequenceTest,
    testing::Values(
        Sequence{"LeftMovesBack", Component::seconds, fps25, 3, "L", "<handled focusPreviousComponent>", 3, "03"},
        Sequence{"SeparatorsAndRightMoveOn", Component::seconds, fps25, 3, ".:;,R",
                 "<handled focusNextComponent> <handled focusNextComponent> <handled focusNextComponent> "
                 "<handled focusNextComponent> <handled focusNextComponent>",
                 3, "03"},
        Sequence{"EscapeAndReturn", Component::seconds, fps25, 3, "ENK",
                 "<performEscapeAction> <performReturnAction> <performReturnAction>", 3, "03"},
        Sequence{"LetterIsUndefined", Component::seconds, fps25, 3, "a", "<ignored undefinedKey>", 3, "03"},
        Sequence{"TabIsPassedOnWithoutRejection", Component::seconds, fps25, 3, "T", "<ignored>", 3, "03"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tallyvane
