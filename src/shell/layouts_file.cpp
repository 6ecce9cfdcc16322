#include "shell/layouts_file.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <stdexcept>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "common/another_users_folder.h"
#include "common/debug_text.h"
#include "common/make_folders.h"
#include "common/regular_file.h"

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

std::runtime_error systemFailure(const std::string& what, int error) {
    return std::runtime_error(what + ": " + std::generic_category().message(error));
}

// Far above any real layouts file, whose layouts are a few hundred bytes each.
constexpr std::size_t kLargestLayoutsFile = 16 << 20;

// Only a regular file is read, and only up to the bound: a pipe at the file's name would hold
// the program for ever, and a device would give endless bytes.
std::string readWhole(const fs::path& path) {
    std::error_code error;
    // A folder opens as a stream that reads nothing, which would be taken for bad JSON.
    if (fs::is_directory(path, error)) throw systemFailure("The file " + path.string() + " cannot be opened", EISDIR);
    const RegularFile file(path, "a layouts file");
    if (!file.isOpen()) throw std::runtime_error("The file " + path.string() + " cannot be opened: " + file.failure());
    std::string content;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = ::read(file.descriptor(), buffer, sizeof buffer);
        if (count == 0) break;
        if (count < 0) {
            const int failure = errno;
            if (failure == EINTR) continue;
            throw systemFailure("The file " + path.string() + " cannot be read", failure);
        }
        content.append(buffer, static_cast<std::size_t>(count));
        if (content.size() > kLargestLayoutsFile) {
            throw std::runtime_error("The file " + path.string() + " cannot be read: It is larger than " +
                                     std::to_string(kLargestLayoutsFile >> 20) + " MiB.");
        }
    }
    return content;
}

// Writes the whole text to the open descriptor and closes it; false with errno set otherwise.
bool writeAndClose(int descriptor, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = ::write(descriptor, text.data() + written, text.size() - written);
        if (count < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(descriptor);
            errno = error;
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    if (::fsync(descriptor) != 0) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
        return false;
    }
    return ::close(descriptor) == 0;
}

// Held while one program reads, changes and writes the file. The folder itself is locked,
// so no lock file is left beside the layouts. Where the file system has no locks the
// change still starts from the file as it is, which leaves only a moment for a race.
class FolderLock {
public:
    explicit FolderLock(const fs::path& folder)
        : descriptor_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (descriptor_ < 0) {
            const int failure = errno;
            throw systemFailure("The folder " + folder.string() + " cannot be opened", failure);
        }
        while (::flock(descriptor_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock() { ::close(descriptor_); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int descriptor_;
};

}  // namespace

LayoutsFile::LayoutsFile(std::optional<fs::path> folder, std::ostream& log)
    : path_(folder ? std::optional<fs::path>(*folder / kLayoutsFileName) : std::nullopt), log_(log) {}

LayoutsFile::Reading LayoutsFile::read() const {
    Reading reading;
    if (!path_) return reading;
    std::error_code error;
    reading.present = fs::exists(fs::symlink_status(*path_, error));
    try {
        reading.layouts = layoutsFromJson(nlohmann::json::parse(readWhole(*path_)));
    } catch (const std::exception& failure) {
        reading.failure = failure.what();
    }
    return reading;
}

std::vector<LayoutsItem> LayoutsFile::load() {
    if (!path_) return {};
    Reading reading = read();
    if (!reading.layouts) {
        log_ << debugQuoted(reading.failure) << '\n';
        if (reading.present) unreadable_ = reading.failure;
        return {};
    }
    log_ << "Loaded layoutsArray: " << layoutsToJson(*reading.layouts).dump() << '\n';
    known_ = *reading.layouts;
    return std::move(*reading.layouts);
}

std::vector<LayoutsItem> LayoutsFile::withPending() const {
    std::vector<LayoutsItem> layouts = known_;
    for (const Change& change : pending_) change(layouts);
    return layouts;
}

std::vector<LayoutsItem> LayoutsFile::reload() {
    if (Reading reading = read(); reading.layouts) known_ = std::move(*reading.layouts);
    return withPending();
}

std::vector<LayoutsItem> LayoutsFile::update(Change change) {
    if (!path_) {
        change(known_);
        return known_;
    }
    pending_.push_back(std::move(change));
    try {
        const fs::path folder = path_->parent_path();
        if (const std::optional<std::string> who = anotherUserControls(folder)) {
            throw std::runtime_error(keptOutOfSentence(folder, *who));
        }
        if (const std::error_code error = makeFolders(folder)) {
            throw std::runtime_error("The folder " + folder.string() + " cannot be created: " + error.message());
        }
        const FolderLock lock(folder);
        Reading reading = read();
        if (reading.layouts) known_ = std::move(*reading.layouts);
        const std::vector<LayoutsItem> changed = withPending();
        writeReplacing(layoutsToJson(changed).dump(), reading.present && !reading.layouts);
        known_ = changed;
        pending_.clear();
    } catch (const std::exception& failure) {
        log_ << "Error saving file: " << failure.what() << '\n';
        return withPending();
    }
    log_ << "Saved to " << path_->string() << '\n';
    return known_;
}

void LayoutsFile::writeReplacing(const std::string& text, bool keepAside) {
    const fs::path folder = path_->parent_path();
    std::error_code error;
    std::string pattern = (folder / (std::string(kLayoutsFileName) + ".XXXXXX")).string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        const int failure = errno;
        throw systemFailure("A temporary file cannot be made in " + folder.string(), failure);
    }
    const fs::path temporary = pattern;
    if (!writeAndClose(descriptor, text)) {
        const int failure = errno;
        fs::remove(temporary, error);
        throw systemFailure("The file " + temporary.string() + " cannot be written", failure);
    }
    if (keepAside) {
        fs::rename(*path_, folder / kUnreadableLayoutsFileName, error);
        std::error_code statusError;
        if (error && fs::exists(fs::symlink_status(*path_, statusError))) {
            const std::string reason = error.message();
            fs::remove(temporary, error);
            throw std::runtime_error("The unreadable file " + path_->string() + " cannot be kept aside: " + reason);
        }
    }
    fs::rename(temporary, *path_, error);
    if (error) {
        const std::string reason = error.message();
        fs::remove(temporary, error);
        throw std::runtime_error("The file " + path_->string() + " cannot be replaced: " + reason);
    }
}

}  // namespace tallyvane
