#include "report/file_replacement.h"

#include <cerrno>
#include <system_error>

#include <unistd.h>

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const char* what, const fs::path& source, const fs::path& destination, std::error_code error) {
    throw fs::filesystem_error(what, source, destination, error);
}

// A new empty file beside `destination` whose name no other file has.
fs::path makeNeighbour(const fs::path& source, const fs::path& destination) {
    std::string pattern = (destination.parent_path() / ("." + destination.filename().string() + ".XXXXXX")).string();
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) fail("Cannot make a file beside the destination", source, destination, {errno, std::generic_category()});
    close(descriptor);
    return pattern;
}

}  // namespace

void replaceFile(const fs::path& source, const fs::path& destination) {
    std::error_code error;
    fs::rename(source, destination, error);
    if (!error) return;
    if (error != std::errc::cross_device_link) fail("Cannot move the file", source, destination, error);

    const fs::path neighbour = makeNeighbour(source, destination);
    std::error_code ignored;
    fs::copy_file(source, neighbour, fs::copy_options::overwrite_existing, error);
    if (error) {
        fs::remove(neighbour, ignored);
        fail("Cannot copy the file", source, destination, error);
    }
    fs::rename(neighbour, destination, error);
    if (error) {
        fs::remove(neighbour, ignored);
        fail("Cannot move the file", source, destination, error);
    }
    fs::remove(source, ignored);
}

}  // namespace tallyvane
