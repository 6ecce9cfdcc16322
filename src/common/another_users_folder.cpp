#include "common/another_users_folder.h"

#include <deque>
#include <vector>

#include <pwd.h>

#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <acl/libacl.h>

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

// As many links as the system follows in one path.
constexpr int kLinksFollowed = 40;

// Whether an entry of `folder`'s ACL gives write to a user or group other than root's that
// the mask leaves it: the mode's group bits then show the mask, not who has it.
bool aclLetsOthersWrite(const fs::path& folder) {
    const acl_t acl = ::acl_get_file(folder.c_str(), ACL_TYPE_ACCESS);
    if (acl == nullptr) return false;  // no ACL here: the mode says it all
    bool maskWrites = true;
    bool namedWrites = false;
    acl_entry_t entry = nullptr;
    for (int which = ACL_FIRST_ENTRY; ::acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag = ACL_UNDEFINED_TAG;
        acl_permset_t permissions = nullptr;
        if (::acl_get_tag_type(entry, &tag) != 0 || ::acl_get_permset(entry, &permissions) != 0) continue;
        const bool writes = ::acl_get_perm(permissions, ACL_WRITE) == 1;
        if (tag == ACL_MASK) maskWrites = writes;
        if ((tag == ACL_USER || tag == ACL_GROUP) && writes) {
            void* qualifier = ::acl_get_qualifier(entry);
            if (qualifier == nullptr) continue;
            // uid_t and gid_t are the same size; 0 is root in both.
            if (*static_cast<uid_t*>(qualifier) != 0) namedWrites = true;
            ::acl_free(qualifier);
        }
    }
    ::acl_free(acl);
    return namedWrites && maskWrites;
}

// A user as whoever typed sudo knows them: by login name, by number where the system has none.
std::string userSaid(uid_t user) {
    std::vector<char> buffer(16384);
    passwd entry {};
    passwd* found = nullptr;
    if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_name != nullptr && found->pw_name[0] != '\0') {
        return "user " + std::string(found->pw_name);
    }
    return "user " + std::to_string(user);
}

// Who else controls `status`, met as `at`: its owner, or others where they may write in it
// and take or replace the names the run uses there (`namesMadeHere`, or any name where the
// sticky bit does not keep them to their own).
std::optional<std::string> controllerOf(const fs::path& at, const struct stat& status, bool namesMadeHere) {
    if (status.st_uid != 0) return userSaid(status.st_uid);
    if (!S_ISDIR(status.st_mode)) return std::nullopt;
    // Root's own group counts as root: a root with umask 002 makes its folders so.
    const bool othersWrite = (status.st_mode & S_IWOTH) != 0 || ((status.st_mode & S_IWGRP) != 0 && status.st_gid != 0) ||
                             aclLetsOthersWrite(at);
    if (othersWrite && (namesMadeHere || (status.st_mode & S_ISVTX) == 0)) return std::string("other users");
    return std::nullopt;
}

// The path resolved as the system resolves it, one name at a time from the root (or the
// working folder): each name is looked at when it is reached, and a link's target takes its
// place before the names after it, so ".." leaves from where the link led. Whoever controls a
// name on the way, a link or a folder, may change where the path ends. The first name that
// does not exist is made in the folder reached before it. One budget of links for the whole
// walk, as the system has: a path past it resolves nowhere.
std::optional<std::string> walk(const fs::path& folder, bool fixed) {
    std::error_code error;
    const fs::path start = folder.is_absolute() ? folder.root_path() : fs::current_path(error);
    if (error) return std::nullopt;
    std::deque<fs::path> names;
    for (const fs::path& name : start.relative_path()) names.push_back(name);
    for (const fs::path& name : folder.relative_path()) names.push_back(name);
    fs::path at = start.root_path();
    struct stat status {};
    if (::lstat(at.c_str(), &status) != 0) return std::nullopt;
    if (auto who = controllerOf(at, status, false)) return who;
    int links = kLinksFollowed;
    while (!names.empty()) {
        const fs::path name = names.front();
        names.pop_front();
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            at = at.parent_path();
            continue;
        }
        const fs::path next = at / name;
        struct stat found {};
        if (::lstat(next.c_str(), &found) != 0) {
            // The rest is made from here: names of the run's choosing in this folder.
            if (::stat(at.c_str(), &status) != 0) return std::nullopt;
            return controllerOf(at, status, true);
        }
        if (auto who = controllerOf(next, found, false)) return who;
        if (S_ISLNK(found.st_mode)) {
            if (--links < 0) return std::nullopt;
            const fs::path target = fs::read_symlink(next, error);
            if (error) return std::nullopt;
            std::deque<fs::path> led;
            for (const fs::path& part : target.relative_path()) led.push_back(part);
            names.insert(names.begin(), led.begin(), led.end());
            if (target.is_absolute()) at = target.root_path();
            continue;
        }
        at = next;
        status = found;
    }
    return controllerOf(at, status, fixed);
}

}  // namespace

std::optional<std::string> anotherUserControls(const fs::path& folder, NamesMade made) {
    if (::geteuid() != 0) return std::nullopt;
    return walk(folder, made == NamesMade::fixed);
}

std::string keptOutOfSentence(const fs::path& folder, const std::string& who) {
    return "The folder " + folder.string() + " is controlled by " + who + ": a run as root writes nothing there.";
}

}  // namespace tallyvane
