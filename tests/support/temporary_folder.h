#pragma once
// A fresh folder under the system's temporary folder for one test, removed with everything
// in it afterwards, even where a test took write permission away inside it. As root, a
// temporary folder another user controls is passed over for /tmp.

#include <filesystem>
#include <optional>
#include <string>

#include <sys/types.h>

namespace tallyvane::test {

class TemporaryFolder {
public:
    // In the system's temporary folder, or in `parent`.
    explicit TemporaryFolder(const std::filesystem::path& parent = {});
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// A folder to make test folders in where every user may pass (a TMPDIR of mode 0700 lets in
// only its owner): the system's temporary folder, /tmp, /var/tmp, /dev/shm, the first that
// does; nothing when none does.
std::optional<std::filesystem::path> parentEveryoneReaches();

// Whether every user may pass through `folder` and every folder above it.
bool everyoneReaches(const std::filesystem::path& folder);

// A folder to make test folders in on another file system than `than`'s, among the same
// ones and the current folder, and one every user may pass through if so asked; nothing
// when there is none.
std::optional<std::filesystem::path> parentOnAnotherFileSystem(const std::filesystem::path& than,
                                                               bool everyoneMayPass = false);

// Makes the file's folder, then writes `text` as the whole file.
void writeText(const std::filesystem::path& path, const std::string& text);

// Leaves a socket's name at `path`, with no one listening; false where it cannot be made (a
// path longer than a socket's address takes).
bool makeSocketFile(const std::filesystem::path& path);

// "user NAME" as the programs say a user: by login name, by number where there is none.
std::string userSaid(uid_t user);

}  // namespace tallyvane::test
