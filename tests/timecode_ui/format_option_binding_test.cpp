#include "timecode_ui/format_option_binding.h"

#include <gtest/gtest.h>

namespace tallyvane {
namespace {

using Option = TimecodeStringFormatOption;

TEST(FormatOptionBindingTest, SwitchesOneOptionOfTheFormat) {
    Timecode::StringFormat format{Option::alwaysShowDays};
    Binding<Timecode::StringFormat> whole([&] { return format; }, [&](const Timecode::StringFormat& f) { format = f; });
    Binding<bool> subFrames = formatOptionBinding(whole, Option::showSubFrames);
    Binding<bool> days = formatOptionBinding(whole, Option::alwaysShowDays);

    EXPECT_FALSE(subFrames.get());
    EXPECT_TRUE(days.get());
    subFrames.set(true);
    EXPECT_EQ(format, (Timecode::StringFormat{Option::alwaysShowDays, Option::showSubFrames}));
    days.set(false);
    EXPECT_EQ(format, Timecode::StringFormat{Option::showSubFrames});
    subFrames.set(true);
    EXPECT_EQ(format, Timecode::StringFormat{Option::showSubFrames});
}

}  // namespace
}  // namespace tallyvane
