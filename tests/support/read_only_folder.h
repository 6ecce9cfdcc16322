#pragma once
// A folder nobody may write into, root included (through the immutable flag), for as long
// as the guard lives.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>

namespace tallyvane::test {

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        if (geteuid() == 0) immutable_ = setImmutable(true);
    }
    ~ReadOnlyFolder() {
        if (immutable_) setImmutable(false);
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool effective() const { return geteuid() != 0 || immutable_; }

private:
    bool setImmutable(bool on) const {
        const int descriptor = open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
        if (descriptor < 0) return false;
        int flags = 0;
        bool done = ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ioctl(descriptor, FS_IOC_SETFLAGS, &flags) == 0;
        }
        close(descriptor);
        return done;
    }

    std::filesystem::path folder_;
    bool immutable_ = false;
};

}  // namespace tallyvane::test
