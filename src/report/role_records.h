#pragma once
// The user's check marks on the rows of the roles tables, and which story elements they
// let into a report. A row is found by the first record whose text matches; an element no
// row names stays out.

#include <string>
#include <string_view>
#include <vector>

#include "model/story_element.h"
#include "report/report_request.h"

namespace tallyvane {

// The separator of a role and its subrole in a roles table row.
inline constexpr std::string_view kRoleSeparator = " \u25B8 ";

// The pieces of a row text between the separators, empty pieces dropped.
std::vector<std::string> rolePieces(std::string_view roleText);

// An audio row taken apart: the first piece is the role, the second the subrole (empty for
// a row without one).
struct AudioRoleRecord {
    std::string roleName;
    std::string subroleName;
    bool isChecked = false;

    friend bool operator==(const AudioRoleRecord&, const AudioRoleRecord&) = default;
};

AudioRoleRecord splitAudioRecord(const RoleRecord& record);

// (roleName: "Dialogue", subroleName: "Dialogue-1", isChecked: true)
std::string debugDescription(const AudioRoleRecord& record);

// The first record whose text equals `name`; nothing when none does.
const RoleRecord* firstRecordNamed(const std::vector<RoleRecord>& records, std::string_view name);

// Whether the first record named `name` is checked; a name no record holds is unchecked.
bool isCheckedByFirstRecord(const std::vector<RoleRecord>& records, std::string_view name);

class RoleChecks {
public:
    RoleChecks(const std::vector<RoleRecord>& videoRecords, const std::vector<RoleRecord>& audioRecords);

    const std::vector<AudioRoleRecord>& audioRecords() const noexcept { return audio_; }

    // By the element's video role.
    bool videoSelected(const StoryElement& element) const;

    // The first audio record of the element's role with one of its subroles; a record
    // without a subrole also stands for the role's elements that have no subroles.
    const AudioRoleRecord* audioRecord(const StoryElement& element) const;
    bool audioSelected(const StoryElement& element) const;

private:
    std::vector<RoleRecord> video_;
    std::vector<AudioRoleRecord> audio_;
};

}  // namespace tallyvane
