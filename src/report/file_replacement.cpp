#include "report/file_replacement.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/utf8.h"
#include "report/file_access.h"
#include "report/run_scratch.h"

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const char* what, const fs::path& source, const fs::path& destination, std::error_code error) {
    throw fs::filesystem_error(what, source, destination, error);
}

std::error_code lastError() { return {errno, std::generic_category()}; }

// Copies the bytes of `source` into the open file `descriptor`. Each read and write is its
// own, so that a full disk is named by its own error number; the library's copy reports a
// short write as an input/output error.
std::error_code copyInto(const fs::path& source, int descriptor) {
    const int input = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (input < 0) return lastError();
    std::error_code error;
    std::array<char, 1 << 16> buffer;
    while (!error) {
        const ssize_t got = ::read(input, buffer.data(), buffer.size());
        if (got == 0) break;
        if (got < 0) {
            if (errno != EINTR) error = lastError();
            continue;
        }
        for (ssize_t done = 0; done < got && !error;) {
            const ssize_t put = ::write(descriptor, buffer.data() + done, static_cast<std::size_t>(got - done));
            if (put >= 0) {
                done += put;
            } else if (errno != EINTR) {
                error = lastError();
            }
        }
    }
    ::close(input);
    return error;
}

// The hidden neighbour's name: the destination's behind a dot, with six letters of its own
// after another, cut where needed so that it is never longer than the longest name the folder
// takes: whenever the destination's name fits, the neighbour's does too.
std::string neighbourName(const fs::path& folder, const std::string& name, const std::string& letters) {
    long longest = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    if (longest <= 0) longest = 255;
    const std::size_t room = static_cast<std::size_t>(std::max<long>(longest - 2 - static_cast<long>(letters.size()), 1));
    return "." + std::string(utf8Prefix(name, room)) + "." + letters;
}

// Makes a new file beside `destination` under a name no other file has. A file that is to
// replace another is private from the start, and takes the replaced file's access only
// before the rename: no one the old file shut out may open it while it is filled. A new file
// gets the mode any new file made there gets (0666 less the umask and what the folder's
// default ACL takes away). Returns its descriptor, or -1 with errno set.
int createNeighbour(const fs::path& destination, bool replacing, std::string& name) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    const fs::path folder = destination.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string letters;
        for (int count = 0; count < 6; ++count) letters += kLetters[letter(entropy)];
        name = (folder / neighbourName(folder, destination.filename().string(), letters)).string();
        const int descriptor = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                  replacing ? 0600 : 0666);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    errno = EEXIST;
    return -1;
}

// Gives `file` the access of the regular file it is to replace (its ACL or its permission
// bits), when there is one (a new workbook keeps the mode it was made with), and puts its
// bytes on the disk: a crash after the rename must not leave an empty report where the old
// one stood.
std::error_code prepare(const fs::path& file, const fs::path& destination) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0) return lastError();
    std::error_code error;
    struct stat replaced {};
    if (::stat(destination.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode)) {
        error = giveAccessOf(destination, replaced, descriptor);
    }
    if (!error && ::fsync(descriptor) != 0) error = lastError();
    ::close(descriptor);
    return error;
}

// The rename that makes the new file the user's; none once a termination signal has come.
void commitRename(const fs::path& file, const fs::path& destination, std::error_code& error) {
    const CommitSection commit;
    if (!commit.permitted()) {
        error = std::make_error_code(std::errc::operation_canceled);
        return;
    }
    fs::rename(file, destination, error);
}

void moveInPlace(const fs::path& file, const fs::path& destination, std::error_code& error) {
    error = prepare(file, destination);
    if (!error) commitRename(file, destination, error);
}

bool replacesRegularFile(const fs::path& destination) {
    struct stat replaced {};
    return ::stat(destination.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode);
}

}  // namespace

void replaceFile(const fs::path& source, const fs::path& destination) {
    std::error_code error;
    // A new file takes what a file made in its own folder gets (the folder's default ACL
    // among it), so only a file that replaces another is renamed from where it was made.
    const bool replacing = replacesRegularFile(destination);
    if (replacing) {
        moveInPlace(source, destination, error);
        if (!error) return;
        if (error != std::errc::cross_device_link) fail("Cannot move the file", source, destination, error);
    }

    // Half a workbook under a hidden name in the user's folder is litter a signal must take:
    // it is registered in the same step that makes it.
    std::string neighbour;
    std::optional<ScratchRegistration> scratch;
    int descriptor = -1;
    {
        const CommitSection making;
        if (!making.permitted()) fail("Cannot make a file beside the destination", source, destination,
                                      std::make_error_code(std::errc::operation_canceled));
        descriptor = createNeighbour(destination, replacing, neighbour);
        if (descriptor < 0) fail("Cannot make a file beside the destination", source, destination, lastError());
        scratch.emplace(neighbour);
    }
    error = copyInto(source, descriptor);
    ::close(descriptor);
    if (!error) moveInPlace(neighbour, destination, error);
    if (error) {
        std::error_code ignored;
        fs::remove(neighbour, ignored);
        fail("Cannot move the file", source, destination, error);
    }
    scratch.reset();
    std::error_code ignored;
    fs::remove(source, ignored);
}

}  // namespace tallyvane
