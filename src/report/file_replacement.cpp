#include "report/file_replacement.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const char* what, const fs::path& source, const fs::path& destination, std::error_code error) {
    throw fs::filesystem_error(what, source, destination, error);
}

std::error_code lastError() { return {errno, std::generic_category()}; }

// A new empty file beside `destination` whose name no other file has.
fs::path makeNeighbour(const fs::path& source, const fs::path& destination) {
    std::string pattern = (destination.parent_path() / ("." + destination.filename().string() + ".XXXXXX")).string();
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) fail("Cannot make a file beside the destination", source, destination, lastError());
    close(descriptor);
    return pattern;
}

// Gives `file` the permission bits of the file it is to replace, when there is one, and
// puts its bytes on the disk: a crash after the rename must not leave an empty report
// where the old one stood.
std::error_code prepare(const fs::path& file, const fs::path& destination) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0) return lastError();
    std::error_code error;
    struct stat replaced {};
    if (::stat(destination.c_str(), &replaced) == 0 && ::fchmod(descriptor, replaced.st_mode & 07777) != 0) {
        error = lastError();
    }
    if (!error && ::fsync(descriptor) != 0) error = lastError();
    ::close(descriptor);
    return error;
}

void moveInPlace(const fs::path& file, const fs::path& destination, std::error_code& error) {
    error = prepare(file, destination);
    if (!error) fs::rename(file, destination, error);
}

}  // namespace

void replaceFile(const fs::path& source, const fs::path& destination) {
    std::error_code error;
    moveInPlace(source, destination, error);
    if (!error) return;
    if (error != std::errc::cross_device_link) fail("Cannot move the file", source, destination, error);

    const fs::path neighbour = makeNeighbour(source, destination);
    std::error_code ignored;
    fs::copy_file(source, neighbour, fs::copy_options::overwrite_existing, error);
    if (!error) moveInPlace(neighbour, destination, error);
    if (error) {
        fs::remove(neighbour, ignored);
        fail("Cannot move the file", source, destination, error);
    }
    fs::remove(source, ignored);
}

}  // namespace tallyvane
