#include "timecode_ui/timecode_environment.h"

#include <gtest/gtest.h>

namespace tallyvane {
namespace {

TEST(TimecodeEnvironmentTest, DefaultsOfAFieldWithNoSettings) {
    const TimecodeEnvironmentValues values = TimecodeEnvironment().resolve({});
    EXPECT_TRUE(values.timecodeFormat.isEmpty());
    EXPECT_EQ(values.timecodeSeparatorStyle, std::nullopt);
    EXPECT_EQ(values.timecodeSubFramesStyle.style, std::nullopt);
    EXPECT_EQ(values.timecodeSubFramesStyle.scale, TextScale::standard);
    EXPECT_EQ(values.timecodeValidationStyle, ShapeStyle::red());
    EXPECT_FALSE(values.timecodePasted.has_value());
    EXPECT_EQ(values.timecodeFieldHighlightStyle, ShapeStyle::tint());
    EXPECT_EQ(values.timecodeFieldInputStyle, TimecodeField::InputStyle::continuousWithinComponent);
    EXPECT_EQ(values.timecodeFieldInputWrapping, TimecodeField::InputWrapping::noWrap);
    EXPECT_EQ(values.timecodeFieldPastePolicy, TimecodeField::PastePolicy::preserveLocalProperties);
    EXPECT_EQ(values.timecodeFieldValidationPolicy, TimecodeField::ValidationPolicy::enforceValid);
    EXPECT_EQ(values.timecodeFieldReturnAction, std::nullopt);
    EXPECT_EQ(values.timecodeFieldEscapeAction, std::nullopt);
    ASSERT_TRUE(values.timecodeFieldInputRejectionFeedback.has_value());
    EXPECT_FALSE(values.timecodeFieldInputRejectionFeedback->isCustom());
    EXPECT_EQ(values.timecodeFieldInputRejectionFeedback->animation(), TimecodeField::RejectionAnimation::pulse);
}

TEST(TimecodeEnvironmentTest, InnerScopesOverrideOuterOnesForTheirOwnViews) {
    const auto blue = ShapeStyle::color({0, 0, 255, 255});
    TimecodeEnvironment outer;
    outer.timecodeSeparatorStyle(blue).timecodeFieldInputStyle(TimecodeField::InputStyle::autoAdvance);
    TimecodeEnvironment inner;
    inner.timecodeFieldInputStyle(TimecodeField::InputStyle::unbounded);

    const auto outerValues = outer.resolve({});
    const auto innerValues = inner.resolve(outerValues);
    EXPECT_EQ(innerValues.timecodeFieldInputStyle, TimecodeField::InputStyle::unbounded);
    EXPECT_EQ(innerValues.timecodeSeparatorStyle, blue);
    EXPECT_EQ(outerValues.timecodeFieldInputStyle, TimecodeField::InputStyle::autoAdvance);
}

TEST(TimecodeEnvironmentTest, AbsentStylesSwitchMarkingOff) {
    const auto gray = ShapeStyle::color({128, 128, 128, 255});
    struct Row {
        const char* name;
        TimecodeEnvironment scope;
    };
    const Row rows[] = {
        {"absent optional", TimecodeEnvironment().timecodeValidationStyle(std::optional<ShapeStyle>{})},
        {"no style", TimecodeEnvironment().timecodeValidationStyle()},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.scope.resolve({}).timecodeValidationStyle, std::nullopt) << row.name;
    }
    // An inner absent style also hides an outer present one.
    const auto outer = TimecodeEnvironment().timecodeFieldHighlightStyle(gray).resolve({});
    EXPECT_EQ(TimecodeEnvironment().timecodeFieldHighlightStyle().resolve(outer).timecodeFieldHighlightStyle,
              std::nullopt);
}

TEST(TimecodeEnvironmentTest, SubframesStyleAndScaleAreSetApart) {
    const auto green = ShapeStyle::color({0, 200, 0, 255});
    const auto scaledThenStyled =
        TimecodeEnvironment().timecodeSubFramesStyle(TextScale::secondary).timecodeSubFramesStyle(green).resolve({});
    EXPECT_EQ(scaledThenStyled.timecodeSubFramesStyle.scale, TextScale::secondary);
    EXPECT_EQ(scaledThenStyled.timecodeSubFramesStyle.style, green);

    const auto outer = TimecodeEnvironment().timecodeSubFramesStyle(green, TextScale::secondary).resolve({});
    const auto inner = TimecodeEnvironment().timecodeSubFramesStyle(TextScale::standard).resolve(outer);
    EXPECT_EQ(inner.timecodeSubFramesStyle.style, green);
    EXPECT_EQ(inner.timecodeSubFramesStyle.scale, TextScale::standard);
}

}  // namespace
}  // namespace tallyvane
