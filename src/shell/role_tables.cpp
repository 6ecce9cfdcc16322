#include "shell/role_tables.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <set>

#include "common/debug_text.h"

namespace tallyvane {

namespace {

// The pieces of a role text between separators, empty ones dropped.
std::vector<std::string_view> rolePieces(std::string_view role) {
    std::vector<std::string_view> pieces;
    while (true) {
        const std::size_t at = role.find(kRoleSeparator);
        const std::string_view piece = role.substr(0, at);
        if (!piece.empty()) pieces.push_back(piece);
        if (at == std::string_view::npos) break;
        role.remove_prefix(at + kRoleSeparator.size());
    }
    return pieces;
}

class RoleCollector {
public:
    explicit RoleCollector(std::ostream& log) : log_(log) {}

    void addVideo(const StoryElement& element) {
        const std::vector<std::string_view> pieces = rolePieces(element.videoRole());
        if (pieces.empty()) return reportEmpty(element);
        video_.emplace(pieces.front());
        video_.insert(element.videoRole());
    }

    void addAudio(const StoryElement& element) {
        const std::string& role = element.audioRole();
        if (role.empty()) return reportEmpty(element);
        audio_.insert(role);
        for (const std::string& subrole : element.audioSubroles()) {
            audio_.insert(role + std::string(kRoleSeparator) + subrole);
        }
    }

    // std::set<std::string> orders by bytes, which for UTF-8 is code-point order.
    RoleTables tables() const { return {RoleTable(checkedRows(video_)), RoleTable(checkedRows(audio_))}; }

private:
    void reportEmpty(const StoryElement& element) {
        log_ << debugQuoted(element.debugDescription() + " role is empty") << '\n';
    }

    static std::vector<RoleRecord> checkedRows(const std::set<std::string>& roles) {
        std::vector<RoleRecord> rows;
        rows.reserve(roles.size());
        for (const std::string& role : roles) rows.push_back({role, true});
        return rows;
    }

    std::ostream& log_;
    std::set<std::string> video_;
    std::set<std::string> audio_;
};

template <class Track>
std::vector<std::shared_ptr<Track>> byTrackIndex(std::vector<std::shared_ptr<Track>> tracks) {
    std::stable_sort(tracks.begin(), tracks.end(),
                     [](const auto& a, const auto& b) { return a->trackIdx() < b->trackIdx(); });
    return tracks;
}

}  // namespace

void RoleTable::setAll(bool checked) {
    for (RoleRecord& row : rows_) row.isChecked = checked;
}

void RoleTable::toggle(std::size_t row) {
    if (row >= rows_.size()) return;
    RoleRecord& clicked = rows_[row];
    const bool checked = !clicked.isChecked;
    clicked.isChecked = checked;
    const std::vector<std::string_view> pieces = rolePieces(clicked.roleName);
    if (pieces.size() == 2 || pieces.empty()) return;
    // Other main roles that extend this one ("Dialogue 2") sort between a role and its
    // subroles, so every following row is looked at, not only the adjacent ones.
    const std::string prefix = std::string(pieces.front()) + std::string(kRoleSeparator);
    for (std::size_t next = row + 1; next < rows_.size(); ++next) {
        if (rows_[next].roleName.starts_with(prefix)) rows_[next].isChecked = checked;
    }
}

RoleTables analyseRoles(const Store& store, const std::string& reportName, std::ostream& log) {
    RoleCollector collector(log);
    if (reportName == kEventClipsReport) {
        for (const auto& event : store.fetch<EventBin>()) {
            for (const auto& clip : event->clips()) {
                collector.addVideo(*clip);
                collector.addAudio(*clip);
            }
        }
        return collector.tables();
    }
    FetchDescriptor<Composition> byName;
    byName.predicate = [&](const Composition& composition) { return composition.name() == reportName; };
    byName.fetchLimit = 1;
    const auto found = store.fetch(byName);
    if (found.empty()) {
        log << debugQuoted("cannot find sequence") << '\n';
        return {};
    }
    for (const auto& track : byTrackIndex(found.front()->videoTracks())) {
        for (const auto& element : track->elements()) collector.addVideo(*element);
    }
    for (const auto& track : byTrackIndex(found.front()->audioTracks())) {
        for (const auto& element : track->elements()) collector.addAudio(*element);
    }
    return collector.tables();
}

}  // namespace tallyvane
