#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "report/clipsheet/clock_text.h"
#include "report/clipsheet/marker_kind.h"

namespace tallyvane {
namespace {

TEST(ClockText, IsTheTimeOfDayInWholeSeconds) {
    const struct {
        std::int64_t milliseconds;
        const char* text;
    } cases[] = {
        {0, "00:00:00"},
        {999, "00:00:00"},
        {(1 * 3600 + 2 * 60 + 3) * 1000 + 500, "01:02:03"},
        {86'399'999, "23:59:59"},
        {86'400'000, "00:00:00"},           // a whole day wraps round
        {2 * 86'400'000 + 61'000, "00:01:01"},
        {-1, "23:59:59"},                   // just before midnight of the day before
        {-1000, "23:59:59"},
        {-1001, "23:59:58"},
        {-86'400'000, "00:00:00"},
        {INT64_MAX, "07:12:55"},
        {INT64_MIN, "16:47:04"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clockText(c.milliseconds), c.text) << c.milliseconds;
    }
}

TEST(MarkerKind, RawTextsAndCellSuffixes) {
    const struct {
        const char* color;
        std::optional<MarkerKind> kind;
        bool marker;
        bool keyword;
        const char* suffix;
    } cases[] = {
        {"Standard", MarkerKind::standard, true, false, " (Standard)"},
        {"Incomplete To-Do", MarkerKind::incompleteToDo, true, false, " (Incomplete to-do)"},
        {"Completed To-Do", MarkerKind::completedToDo, true, false, " (Completed to-do)"},
        {"Chapter", MarkerKind::chapter, true, false, " (Chapter)"},
        {"keyword", MarkerKind::keyword, false, true, ""},
        {"favorite", MarkerKind::favorite, false, true, " (Favorite)"},
        {"rejected", MarkerKind::rejected, false, true, " (Rejected)"},
        {"analysis", MarkerKind::analysis, false, true, " (Analysis)"},
        {"none", MarkerKind::none, false, false, ""},
        {"standard", std::nullopt, false, false, ""},
        {"Red", std::nullopt, false, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.color);
        const std::optional<MarkerKind> kind = fromRawValue<MarkerKind>(c.color);
        ASSERT_EQ(kind, c.kind);
        if (!kind) continue;
        EXPECT_EQ(rawValue(*kind), c.color);
        EXPECT_EQ(isMarker(*kind), c.marker);
        EXPECT_EQ(isKeywordRange(*kind), c.keyword);
        EXPECT_EQ(cellSuffix(*kind), c.suffix);
    }
}

}  // namespace
}  // namespace tallyvane
