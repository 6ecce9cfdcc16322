#include <unordered_set>

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

TEST(Enumerations, FromRawAcceptsExactlyTheListedValues) {
    struct Case {
        const char* name;
        bool (*accepts)(std::uint8_t);
        std::unordered_set<int> listed;
    };
    auto range = [](int first, int last) {
        std::unordered_set<int> values;
        for (int v = first; v <= last; ++v) values.insert(v);
        return values;
    };
    const Case cases[] = {
        {"HorizontalAlignment", [](std::uint8_t r) { return horizontalAlignmentFromRaw(r).has_value(); }, range(0, 7)},
        {"VerticalAlignment", [](std::uint8_t r) { return verticalAlignmentFromRaw(r).has_value(); }, range(8, 12)},
        {"Border", [](std::uint8_t r) { return borderFromRaw(r).has_value(); }, range(0, 13)},
        {"PaperType", [](std::uint8_t r) { return paperTypeFromRaw(r).has_value(); }, range(0, 41)},
        {"Chart_type", [](std::uint8_t r) { return chartTypeFromRaw(r).has_value(); }, range(0, 22)},
        {"Legend_position", [](std::uint8_t r) { return legendPositionFromRaw(r).has_value(); }, range(0, 8)},
        {"Trendline_type", [](std::uint8_t r) { return trendlineTypeFromRaw(r).has_value(); }, range(0, 5)},
        {"TotalFunction", [](std::uint8_t r) { return totalFunctionFromRaw(r).has_value(); },
         {0, 101, 102, 103, 104, 105, 107, 109}},
    };
    for (const Case& c : cases) {
        for (int raw = 0; raw <= 255; ++raw) {
            EXPECT_EQ(c.accepts(static_cast<std::uint8_t>(raw)), c.listed.count(raw) == 1) << c.name << " " << raw;
        }
    }
    EXPECT_EQ(verticalAlignmentFromRaw(10), VerticalAlignment::center);
    EXPECT_EQ(totalFunctionFromRaw(109), TotalFunction::sum);
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
