#include "common/regular_file.h"

#include "common/error_sentence.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallyvane {

namespace {

const char* kindName(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISSOCK(mode)) return "a socket";
    return "a device";
}

}  // namespace

RegularFile::RegularFile(const std::filesystem::path& path, const char* wanted) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        const int failure = errno;
        // A socket, or a device with no driver behind it, refuses the opening itself.
        struct stat status {};
        if (failure == ENXIO && ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
            failure_ = std::string("It is ") + kindName(status.st_mode) + ", not " + wanted + ".";
        } else {
            failure_ = systemErrorSentence(failure);
        }
        return;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        failure_ = systemErrorSentence(errno);
    } else if (!S_ISREG(status.st_mode)) {
        failure_ = std::string("It is ") + kindName(status.st_mode) + ", not " + wanted + ".";
    } else {
        descriptor_ = descriptor;
        size_ = static_cast<std::uintmax_t>(status.st_size);
        return;
    }
    ::close(descriptor);
}

RegularFile::~RegularFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace tallyvane
