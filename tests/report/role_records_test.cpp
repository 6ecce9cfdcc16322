#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/role_records.h"
#include "report_builders.h"

namespace tallyvane::testing {
namespace {

TEST(RolePiecesTest, SplitAtEverySeparatorDroppingEmptyPieces) {
    struct Case {
        std::string text;
        std::vector<std::string> pieces;
    };
    const std::vector<Case> cases = {
        {"Dialogue", {"Dialogue"}},
        {"Dialogue \u25B8 Dialogue-1", {"Dialogue", "Dialogue-1"}},
        {"A \u25B8 B \u25B8 C", {"A", "B", "C"}},
        {"A \u25B8  \u25B8 B", {"A", "B"}},
        {" \u25B8 Sub", {"Sub"}},
        {"A\u25B8B", {"A\u25B8B"}},
        {" \u25B8 ", {}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(rolePieces(c.text), c.pieces) << c.text;
}

TEST(SplitAudioRecordTest, RoleSubroleAndCheckMark) {
    struct Case {
        RoleRecord record;
        AudioRoleRecord split;
        std::string debug;
    };
    const std::vector<Case> cases = {
        {{"Dialogue", true}, {"Dialogue", "", true}, R"((roleName: "Dialogue", subroleName: "", isChecked: true))"},
        {{"Music \u25B8 Score", false},
         {"Music", "Score", false},
         "(roleName: \"Music\", subroleName: \"Score\", isChecked: false)"},
        {{"A \u25B8 B \u25B8 C", true}, {"A", "B", true}, R"((roleName: "A", subroleName: "B", isChecked: true))"},
        {{"", true}, {"", "", true}, R"((roleName: "", subroleName: "", isChecked: true))"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(splitAudioRecord(c.record), c.split) << c.record.roleName;
        EXPECT_EQ(debugDescription(splitAudioRecord(c.record)), c.debug) << c.record.roleName;
    }
}

TEST(RoleChecksTest, AudioElementsMatchByRoleAndOneOfTheirSubroles) {
    const std::vector<RoleRecord> audio = {
        {"Dialogue", true},                  // 0
        {"Dialogue \u25B8 Dialogue-1", true},  // 1
        {"Dialogue \u25B8 Dialogue-2", false}, // 2
        {"Music \u25B8 Score", false},         // 3
        {"Music \u25B8 Score", true},          // 4: never reached
        {"Effects", false},                    // 5
        {"A \u25B8 B \u25B8 C", true},         // 6
    };
    const RoleChecks checks({}, audio);
    ASSERT_EQ(checks.audioRecords().size(), audio.size());
    struct Case {
        std::string audioRole;
        std::vector<std::string> subroles;
        int record;  // -1: none
        bool selected;
    };
    const std::vector<Case> cases = {
        {"Dialogue", {"Dialogue-1"}, 1, true},
        {"Dialogue", {"Dialogue-3", "Dialogue-2"}, 2, false},
        {"Dialogue", {"Dialogue-2", "Dialogue-1"}, 1, true},
        // A role row without a subrole stands for the role's clips without subroles...
        {"Dialogue", {}, 0, true},
        // ...but not for clips with subroles no row names.
        {"Dialogue", {"Dialogue-9"}, -1, false},
        {"Music", {"Score"}, 3, false},
        {"Music", {}, -1, false},
        {"Effects", {}, 5, false},
        {"A", {"B"}, 6, true},
        {"A", {"C"}, -1, false},
        {"Score", {"Music"}, -1, false},
        {"", {}, -1, false},
    };
    for (const Case& c : cases) {
        const auto element = makeElement({.trackType = TrackType::Audio, .audioRole = c.audioRole, .audioSubroles = c.subroles});
        const AudioRoleRecord* found = checks.audioRecord(*element);
        const AudioRoleRecord* expected = c.record < 0 ? nullptr : &checks.audioRecords()[c.record];
        EXPECT_EQ(found, expected) << c.audioRole << " " << c.subroles.size();
        EXPECT_EQ(checks.audioSelected(*element), c.selected) << c.audioRole << " " << c.subroles.size();
    }
}

TEST(FirstRecordTest, TracksAreCheckedByTheirFirstRecord) {
    const std::vector<RoleRecord> tracks = {{"V1", true}, {"V2", false}, {"V2", true}, {"", true}};
    EXPECT_TRUE(isCheckedByFirstRecord(tracks, "V1"));
    EXPECT_FALSE(isCheckedByFirstRecord(tracks, "V2"));
    EXPECT_FALSE(isCheckedByFirstRecord(tracks, "V3"));
    EXPECT_TRUE(isCheckedByFirstRecord(tracks, ""));
    EXPECT_EQ(firstRecordNamed(tracks, "V2"), &tracks[1]);
    EXPECT_EQ(firstRecordNamed({}, "V1"), nullptr);
}

}  // namespace
}  // namespace tallyvane::testing
