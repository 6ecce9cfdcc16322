#include <gtest/gtest.h>

#include "xlsx/enums.h"
#include "xlsx/error.h"

namespace tallyvane::xlsx {
namespace {

TEST(Enumerations, ColoursMapToTheirRgbAndBlackIsNotZero) {
    const std::pair<Color, std::uint32_t> table[] = {
        {Color::black, 0x1000000}, {Color::brown, 0x800000}, {Color::orange, 0xFF6600}, {Color::white, 0xFFFFFF},
    };
    for (const auto& [color, value] : table) {
        EXPECT_EQ(rgb(color), value);
        EXPECT_EQ(colorFromRgb(value), color);
    }
    EXPECT_EQ(colorFromRgb(0x000000), std::nullopt);
    EXPECT_EQ(colorFromRgb(0x123456), std::nullopt);
}

TEST(Enumerations, TotalFunctionFromAnIntegerFallsBackToNoneInRange) {
    EXPECT_EQ(totalFunctionFromInteger(109), TotalFunction::sum);
    EXPECT_EQ(totalFunctionFromInteger(106), TotalFunction::none);
    EXPECT_EQ(totalFunctionFromInteger(255), TotalFunction::none);
    EXPECT_THROW(totalFunctionFromInteger(256), XlsxError);
    EXPECT_THROW(totalFunctionFromInteger(-1), XlsxError);
}

}  // namespace
}  // namespace tallyvane::xlsx
