#include "timecode_ui/timecode_environment.h"

#include <gtest/gtest.h>

namespace tallyvane {
namespace {

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
