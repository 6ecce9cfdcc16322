#include "report/role_records.h"

#include <algorithm>

#include "common/debug_text.h"

namespace tallyvane {

std::vector<std::string> rolePieces(std::string_view roleText) {
    std::vector<std::string> pieces;
    while (true) {
        const std::size_t separator = roleText.find(kRoleSeparator);
        const std::string_view piece = roleText.substr(0, separator);
        if (!piece.empty()) pieces.emplace_back(piece);
        if (separator == std::string_view::npos) return pieces;
        roleText.remove_prefix(separator + kRoleSeparator.size());
    }
}

AudioRoleRecord splitAudioRecord(const RoleRecord& record) {
    std::vector<std::string> pieces = rolePieces(record.roleName);
    AudioRoleRecord split;
    split.isChecked = record.isChecked;
    if (!pieces.empty()) split.roleName = std::move(pieces[0]);
    if (pieces.size() > 1) split.subroleName = std::move(pieces[1]);
    return split;
}

std::string debugDescription(const AudioRoleRecord& record) {
    return "(roleName: " + debugQuoted(record.roleName) + ", subroleName: " + debugQuoted(record.subroleName) +
           ", isChecked: " + (record.isChecked ? "true" : "false") + ")";
}

const RoleRecord* firstRecordNamed(const std::vector<RoleRecord>& records, std::string_view name) {
    const auto found =
        std::find_if(records.begin(), records.end(), [&](const RoleRecord& record) { return record.roleName == name; });
    return found == records.end() ? nullptr : &*found;
}

bool isCheckedByFirstRecord(const std::vector<RoleRecord>& records, std::string_view name) {
    const RoleRecord* record = firstRecordNamed(records, name);
    return record != nullptr && record->isChecked;
}

RoleChecks::RoleChecks(const std::vector<RoleRecord>& videoRecords, const std::vector<RoleRecord>& audioRecords)
    : video_(videoRecords) {
    audio_.reserve(audioRecords.size());
    for (const RoleRecord& record : audioRecords) audio_.push_back(splitAudioRecord(record));
}

bool RoleChecks::videoSelected(const StoryElement& element) const {
    return isCheckedByFirstRecord(video_, element.videoRole());
}

const AudioRoleRecord* RoleChecks::audioRecord(const StoryElement& element) const {
    const auto& subroles = element.audioSubroles();
    const auto found = std::find_if(audio_.begin(), audio_.end(), [&](const AudioRoleRecord& record) {
        if (record.roleName != element.audioRole()) return false;
        // Without this, the checked clips of a role that has no subroles would be on no sheet.
        if (record.subroleName.empty() && subroles.empty()) return true;
        return std::find(subroles.begin(), subroles.end(), record.subroleName) != subroles.end();
    });
    return found == audio_.end() ? nullptr : &*found;
}

bool RoleChecks::audioSelected(const StoryElement& element) const {
    const AudioRoleRecord* record = audioRecord(element);
    return record != nullptr && record->isChecked;
}

}  // namespace tallyvane
