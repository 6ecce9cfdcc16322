#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/column_heading.h"
#include "report/column_widths.h"
#include "report/sheet_title.h"

namespace tallyvane {
namespace {

// Headings that differ only in trailing line feeds are distinct columns; lookup needs the
// exact text.
TEST(ColumnHeadingTest, EveryRawValueNamesItsOwnCaseAndLookupNeedsTheExactText) {
    const auto& texts = RawValues<ColumnHeading>::texts;
    std::set<std::string_view> seen;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto heading = static_cast<ColumnHeading>(i);
        EXPECT_TRUE(seen.insert(rawValue(heading)).second) << "duplicate raw value at " << i;
        EXPECT_EQ(fromRawValue<ColumnHeading>(rawValue(heading)), heading) << i;
    }
    for (const std::string_view text : {"Sequence In\n\n\n\n\n", "\nSequence In", "sequence in", "", "Role > Subrole"}) {
        EXPECT_EQ(fromRawValue<ColumnHeading>(text), std::nullopt) << text;
    }
}

TEST(ColumnHeadingTest, HeaderTextDropsLineFeedsAtBothEndsOnly) {
    EXPECT_EQ(headingText(ColumnHeading::ClipDurationSecs), "Clip Duration");
    EXPECT_EQ(trimmingLineFeeds("\n\na\nb\n"), "a\nb");
    EXPECT_EQ(trimmingLineFeeds("\n\n"), "");
    EXPECT_EQ(trimmingLineFeeds(" a \n"), " a ");
}

TEST(SheetTitleTest, NamesAndTheOneEmptyTitle) {
    const auto& texts = RawValues<SheetTitle>::texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].empty(), static_cast<SheetTitle>(i) == SheetTitle::untitled) << i;
        EXPECT_LE(texts[i].size(), 31u);
    }
}

TEST(ColumnWidthsTest, MetadataHeadingsFollowTheSameRuleInTheGivenOrder) {
    const std::vector<std::string> headings = {"Codec", "\nR\u00E9alisateur\n", ""};
    EXPECT_EQ(columnWidthsForMetadataHeadings(headings), (std::vector<double>{6, 12, 1}));
}

TEST(ColumnWidthsTest, GraphemeClustersCountOnce) {
    struct Case {
        std::string text;
        std::size_t count;
    };
    const std::vector<Case> cases = {
        {"", 0},
        {"abc", 3},
        {"a\r\nb", 3},
        {"a\n\nb", 4},
        {"e\u0301t\u00E9", 3},                          // decomposed and composed é
        {"\U0001F1EB\U0001F1F7", 1},                    // one flag
        {"\U0001F468\u200D\U0001F469\u200D\U0001F467", 1},  // one family
        {"\u65E5\u672C", 2},
        {"a\xFF" "b", 3},                              // ill-formed byte as one replacement
    };
    GraphemeCounter counter;
    for (const auto& c : cases) {
        EXPECT_EQ(counter.count(c.text), c.count) << c.text;
        EXPECT_EQ(graphemeCount(c.text), c.count) << c.text;
    }
}

TEST(ColumnWidthsTest, WideningOnlyEverGrowsAColumnToTheTextLength) {
    struct Case {
        std::string text;
        double width;
    };
    const std::vector<Case> cases = {
        {std::string(20, 'x'), 20},
        {std::string(5, 'x'), 12},
        {"Sequence In\n\n", 13},
        {std::string(12, 'x'), 12},
        {"\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9", 13},
        // More bytes than the width, no more characters.
        {"\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9", 12},
        {"e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301", 13},
    };
    for (const auto& c : cases) {
        ColumnWidths widths;
        widths.reset(std::vector<ColumnHeading>{ColumnHeading::SequenceInTC, ColumnHeading::Row});
        widths.widen(0, c.text);
        EXPECT_EQ(widths.values(), (std::vector<double>{c.width, 4})) << c.text;
    }
}

TEST(ColumnWidthsTest, WideningAColumnOutsideTheSheetIsRefused) {
    ColumnWidths widths;
    EXPECT_THROW(widths.widen(0, "x"), std::out_of_range);
    widths.reset({3.0});
    EXPECT_THROW(widths.widen(1, "x"), std::out_of_range);
    EXPECT_EQ(widths.values(), std::vector<double>{3.0});
}

}  // namespace
}  // namespace tallyvane
