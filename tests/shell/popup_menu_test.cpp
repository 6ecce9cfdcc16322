#include "shell/popup_menu.h"
#include "support/named_case.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tallyvane {
namespace {

using test::PrintTo;

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct TitleAddCase {
    const char* name;
    std::vector<std::string> added;
    std::vector<std::string> titles;
    std::string selected;
};

class PopupMenuAdding : public ::testing::TestWithParam<TitleAddCase> {};

TEST_P(PopupMenuAdding, KeepsOneItemPerTitleAndSelectsTheFirstAdded) {
    PopupMenu menu;
    for (const std::string& title : GetParam().added) menu.addItem(title);
    EXPECT_THAT(menu.titles(), ElementsAreArray(GetParam().titles));
    EXPECT_EQ(menu.selectedTitle(), GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, PopupMenuAdding,
    ::testing::Values(TitleAddCase{"empty", {}, {}, ""},
                      TitleAddCase{"distinct", {"Event Clips", "---", "A", "B"}, {"Event Clips", "---", "A", "B"}, "Event Clips"},
                      // The later item replaces the older one, at the end of the menu.
                      TitleAddCase{"repeated", {"A", "B", "A"}, {"B", "A"}, "B"},
                      // The selected item goes; the one taking its place is selected, and
                      // an emptied menu selects the next item to arrive.
                      TitleAddCase{"selectedReplaced", {"A", "A"}, {"A"}, "A"},
                      TitleAddCase{"selectedReplacedAmongOthers", {"A", "B", "C", "A"}, {"B", "C", "A"}, "B"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PopupMenu, InsertingKeepsTheSelectedItemSelectedAndMovesAnExistingTitle) {
    PopupMenu menu;
    menu.addItem("Default");
    menu.addItem("One");
    menu.addItem("Two");
    menu.select(2);
    menu.insertItem("New", 1);
    EXPECT_THAT(menu.titles(), ElementsAre("Default", "New", "One", "Two"));
    EXPECT_EQ(menu.selectedTitle(), "Two");
    menu.insertItem("Late", 99);
    EXPECT_THAT(menu.titles(), ElementsAre("Default", "New", "One", "Two", "Late"));
    // An existing title moves.
    menu.insertItem("Default", 2);
    EXPECT_THAT(menu.titles(), ElementsAre("New", "Default", "One", "Two", "Late"));
}

TEST(PopupMenu, UnknownTitlesAndIndexesChangeNothing) {
    PopupMenu menu;
    menu.addItem("A");
    menu.select(5);
    menu.removeItem("missing");
    EXPECT_THAT(menu.titles(), ElementsAre("A"));
    EXPECT_EQ(menu.selectedTitle(), "A");
}

}  // namespace
}  // namespace tallyvane
