#include <chrono>

#include <gtest/gtest.h>

#include "xlsx/value.h"

namespace tallyvane::xlsx {
namespace {

TEST(Value, CharacterLiteralsMakeOneCharacterStrings) {
    struct Case {
        const char* name;
        Value value;
        std::string text;
    };
    const Case cases[] = {
        {"character", 'x', "x"},
        {"scalar", U'\u25B8', "\u25B8"},
        {"astral scalar", U'\U0001F3AC', "\U0001F3AC"},
        {"surrogate", static_cast<char32_t>(0xD800), "\uFFFD"},
        {"beyond Unicode", static_cast<char32_t>(0x110000), "\uFFFD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.kind(), Value::Kind::string) << c.name;
        EXPECT_EQ(c.value.text(), c.text) << c.name;
    }
    // Other whole numbers stay numbers.
    EXPECT_EQ(Value(3).kind(), Value::Kind::number);
    EXPECT_EQ(Value(3).numberValue(), 3.0);
}

TEST(Value, DatetimeIsTheSpreadsheetDayNumber) {
    using namespace std::chrono;
    const Value::Date epoch{};
    const std::pair<Value::Date, double> cases[] = {
        {epoch, 25569.0},
        {epoch + hours(6), 25569.25},
        {epoch - days(25569), 0.0},
        {sys_days(year(2024) / 2 / 29) + hours(12), 45351.5},
    };
    for (const auto& [date, serial] : cases) {
        const Value value = Value::datetime(date);
        EXPECT_EQ(value.kind(), Value::Kind::datetime);
        EXPECT_DOUBLE_EQ(value.numberValue(), serial);
    }
}

}  // namespace
}  // namespace tallyvane::xlsx
