#include "shell/report_menu.h"

#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project_builder.h"
#include "support/named_case.h"

namespace tallyvane {
namespace {

using test::PrintTo;

using test::ProjectBuilder;
using ::testing::ElementsAreArray;

struct EventContent {
    std::string name;
    int clips = 0;
    std::vector<std::string> timelines;
};

struct MenuCase {
    const char* name;
    std::vector<EventContent> events;
    std::vector<std::string> titles;
};

class ReportMenuFilling : public ::testing::TestWithParam<MenuCase> {};

TEST_P(ReportMenuFilling, ListsTheReportsOfTheFirstEventByName) {
    Store store;
    ProjectBuilder project(store);
    for (const EventContent& content : GetParam().events) {
        auto event = project.event(content.name);
        for (int clip = 0; clip < content.clips; ++clip) project.clip(event, {"Video", "Dialogue", {}});
        for (const std::string& timeline : content.timelines) project.timeline(event, timeline);
    }
    PopupMenu menu;
    std::ostringstream log;
    fillReportMenu(store, menu, log);
    EXPECT_THAT(menu.titles(), ElementsAreArray(GetParam().titles));
    EXPECT_EQ(menu.selectedTitle(), GetParam().titles.empty() ? "" : GetParam().titles.front());
    EXPECT_EQ(log.str(), GetParam().events.empty() ? "\"NO EVENTS\"\n" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportMenuFilling,
    ::testing::Values(
        MenuCase{"noEvents", {}, {}},
        MenuCase{"clipsAndTwoTimelines", {{"E", 2, {"A", "B"}}}, {"Event Clips", "---", "A", "B"}},
        MenuCase{"oneTimelineNoClips", {{"E", 0, {"A"}}}, {"A"}},
        MenuCase{"clipsOnly", {{"E", 3, {}}}, {"Event Clips"}},
        MenuCase{"emptyEvent", {{"E", 0, {}}}, {}},
        MenuCase{"sameNameOnce", {{"E", 0, {"A", "B", "A"}}}, {"B", "A"}},
        // Numbers in names sort as numbers; other events add nothing.
        MenuCase{"firstEventByName", {{"Day 10", 1, {"Late"}}, {"Day 2", 0, {"Early"}}}, {"Early"}},
        MenuCase{"firstEventKeepsInsertionOrderOnTies", {{"Same", 0, {"One"}}, {"Same", 0, {"Two"}}}, {"One"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallyvane
