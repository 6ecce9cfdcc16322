#include "support/temporary_folder.h"

#include <fstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "common/another_users_folder.h"

namespace tallyvane::test {

namespace {

// The system's temporary folder; /tmp for a run as root where another user controls it, since
// the programs keep out of such a folder and the tests would test that instead.
std::filesystem::path systemTemporaryFolder() {
    std::error_code unknown;
    const std::filesystem::path given = std::filesystem::temp_directory_path(unknown);
    return given.empty() || anotherUserControls(given, NamesMade::unguessable) ? std::filesystem::path("/tmp") : given;
}

std::vector<std::filesystem::path> commonParents() { return {systemTemporaryFolder(), "/tmp", "/var/tmp", "/dev/shm"}; }

bool writable(const std::filesystem::path& folder) { return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0; }

}  // namespace

TemporaryFolder::TemporaryFolder(const std::filesystem::path& parent) {
    const std::filesystem::path in = parent.empty() ? systemTemporaryFolder() : parent;
    std::string pattern = (in / "tallyvane-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

bool everyoneReaches(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::path at = std::filesystem::canonical(folder, error);
    if (error) return false;
    for (;; at = at.parent_path()) {
        struct stat status {};
        if (::stat(at.c_str(), &status) != 0 || (status.st_mode & S_IXOTH) == 0) return false;
        if (!at.has_relative_path()) return true;
    }
}

std::optional<std::filesystem::path> parentEveryoneReaches() {
    for (const std::filesystem::path& parent : commonParents()) {
        if (writable(parent) && everyoneReaches(parent)) return parent;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> parentOnAnotherFileSystem(const std::filesystem::path& than, bool everyoneMayPass) {
    struct stat own {};
    if (::stat(than.c_str(), &own) != 0) return std::nullopt;
    std::vector<std::filesystem::path> parents = commonParents();
    std::error_code unknown;
    parents.push_back(std::filesystem::current_path(unknown));
    for (const std::filesystem::path& parent : parents) {
        struct stat status {};
        if (writable(parent) && ::stat(parent.c_str(), &status) == 0 && status.st_dev != own.st_dev &&
            (!everyoneMayPass || everyoneReaches(parent))) {
            return parent;
        }
    }
    return std::nullopt;
}

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

bool makeSocketFile(const std::filesystem::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.native().size() >= sizeof address.sun_path) return false;
    path.native().copy(address.sun_path, sizeof address.sun_path - 1);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) return false;
    const bool bound = ::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(listener);  // the name stays
    return bound;
}

std::string userSaid(uid_t user) {
    const passwd* entry = ::getpwuid(user);
    return "user " + (entry != nullptr ? std::string(entry->pw_name) : std::to_string(user));
}

}  // namespace tallyvane::test
