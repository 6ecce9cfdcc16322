#include "shell/role_tables.h"

#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project_builder.h"
#include "role_table_rows.h"
#include "support/named_case.h"

namespace tallyvane {
namespace {

using test::PrintTo;

using test::ProjectBuilder;
using test::Roles;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

using test::kArrow;
using test::names;

std::vector<bool> checks(const RoleTable& table) {
    std::vector<bool> result;
    for (const RoleRecord& row : table.rows()) result.push_back(row.isChecked);
    return result;
}

struct ClipRolesCase {
    const char* name;
    std::vector<Roles> clips;
    std::vector<std::string> video;
    std::vector<std::string> audio;
};

class EventClipRoles : public ::testing::TestWithParam<ClipRolesCase> {};

TEST_P(EventClipRoles, AreCollectedCheckedInCodePointOrder) {
    Store store;
    ProjectBuilder project(store);
    auto event = project.event("Event");
    for (const Roles& roles : GetParam().clips) project.clip(event, roles);
    std::ostringstream log;
    const RoleTables tables = analyseRoles(store, "Event Clips", log);
    EXPECT_THAT(names(tables.video), ElementsAreArray(GetParam().video));
    EXPECT_THAT(names(tables.audio), ElementsAreArray(GetParam().audio));
    for (const bool checked : checks(tables.video)) EXPECT_TRUE(checked);
    for (const bool checked : checks(tables.audio)) EXPECT_TRUE(checked);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EventClipRoles,
    ::testing::Values(
        ClipRolesCase{"mainRoleBeforeItsSubroles",
                      {{"Titles", "", {}}, {"Video" + kArrow + "B-Roll", "", {}}, {"Video", "", {}}},
                      {"Titles", "Video", "Video" + kArrow + "B-Roll"},
                      {}},
        ClipRolesCase{"audioSubroles",
                      {{"", "Dialogue", {"Dialogue-1", "Dialogue-2"}}},
                      {},
                      {"Dialogue", "Dialogue" + kArrow + "Dialogue-1", "Dialogue" + kArrow + "Dialogue-2"}},
        ClipRolesCase{"oneRowPerRole",
                      {{"Video", "Music", {}}, {"Video", "Music", {}}, {"Video", "Music", {}}},
                      {"Video"},
                      {"Music"}},
        // The space after "Dialogue" is below U+25B8, so "Dialogue 2" comes before the subrole.
        ClipRolesCase{"longerMainRoleSortsBetween",
                      {{"", "Dialogue", {"X"}}, {"", "Dialogue 2", {}}},
                      {},
                      {"Dialogue", "Dialogue 2", "Dialogue" + kArrow + "X"}},
        ClipRolesCase{"caseSensitive", {{"video", "", {}}, {"Video", "", {}}}, {"Video", "video"}, {}},
        ClipRolesCase{"emptyRolesAddNothing", {{"", "", {}}}, {}, {}},
        ClipRolesCase{"separatorOnlyVideoRoleAddsNothing", {{kArrow, "", {}}}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoleAnalysis, TimelineTakesVideoRolesFromVideoTracksAndAudioRolesFromAudioTracksAndAnUnknownReportNone) {
    Store store;
    ProjectBuilder project(store);
    auto event = project.event("Event");
    project.clip(event, {"Clip Video", "Clip Audio", {}});
    auto timeline = project.timeline(event, "Timeline A");
    project.videoTrack(timeline, 2, {{"Titles", "Ignored Audio", {}}});
    project.videoTrack(timeline, 1, {{"Video", "", {}}, {"", "Ignored Audio", {}}});
    project.audioTrack(timeline, 1, {{"Ignored Video", "Music", {"Score"}}});
    std::ostringstream log;
    const RoleTables tables = analyseRoles(store, "Timeline A", log);
    EXPECT_THAT(names(tables.video), ElementsAre("Titles", "Video"));
    EXPECT_THAT(names(tables.audio), ElementsAre("Music", "Music" + kArrow + "Score"));
    // An element of a video track without a video role is reported.
    EXPECT_THAT(log.str(), HasSubstr(" role is empty"));

    // An unknown report gives empty tables.
    for (const char* report : {"---", "Timeline B", ""}) {
        std::ostringstream unknownLog;
        const RoleTables unknown = analyseRoles(store, report, unknownLog);
        EXPECT_TRUE(unknown.video.rows().empty()) << report;
        EXPECT_TRUE(unknown.audio.rows().empty()) << report;
        EXPECT_EQ(unknownLog.str(), "\"cannot find sequence\"\n") << report;
    }
}

struct ToggleCase {
    const char* name;
    std::vector<std::string> rows;
    std::vector<std::size_t> clicks;
    std::vector<bool> checked;
};

class RoleToggles : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(RoleToggles, CarrySubrolesOfAMainRoleOnly) {
    std::vector<RoleRecord> rows;
    for (const std::string& name : GetParam().rows) rows.push_back({name, true});
    RoleTable table(rows);
    for (const std::size_t row : GetParam().clicks) table.toggle(row);
    EXPECT_THAT(checks(table), ElementsAreArray(GetParam().checked));
}

const std::vector<std::string> kDialogue{"Dialogue", "Dialogue" + kArrow + "Dialogue-1",
                                         "Dialogue" + kArrow + "Dialogue-2", "Music"};
const std::vector<std::string> kInterleaved{"Dialogue", "Dialogue 2", "Dialogue" + kArrow + "X",
                                            "Dialogue 2" + kArrow + "Y"};

INSTANTIATE_TEST_SUITE_P(
    Cases, RoleToggles,
    ::testing::Values(ToggleCase{"mainRoleCarriesSubroles", kDialogue, {0}, {false, false, false, true}},
                      ToggleCase{"subroleAlone", kDialogue, {1}, {true, false, true, true}},
                      ToggleCase{"mainRoleSetsUncheckedSubrole", kDialogue, {1, 0}, {false, false, false, true}},
                      ToggleCase{"pastTheEnd", kDialogue, {9}, {true, true, true, true}},
                      // A longer main role between a role and its subroles neither stops the
                      // walk nor is carried along.
                      ToggleCase{"subroleAfterLongerMainRole", kInterleaved, {0}, {false, true, false, true}},
                      ToggleCase{"longerMainRole", kInterleaved, {1}, {true, false, true, false}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallyvane
