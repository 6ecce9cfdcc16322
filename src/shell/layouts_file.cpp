#include "shell/layouts_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "common/debug_text.h"

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

std::runtime_error systemFailure(const std::string& what, int error) {
    return std::runtime_error(what + ": " + std::generic_category().message(error));
}

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw systemFailure("The file " + path.string() + " cannot be opened", errno);
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw std::runtime_error("The file " + path.string() + " cannot be read");
    return content.str();
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

}  // namespace

LayoutsFile::LayoutsFile(std::optional<fs::path> folder, std::ostream& log)
    : path_(folder ? std::optional<fs::path>(*folder / kLayoutsFileName) : std::nullopt), log_(log) {}

std::vector<LayoutsItem> LayoutsFile::load() {
    if (!path_) return {};
    std::error_code error;
    const bool exists = fs::exists(fs::symlink_status(*path_, error));
    try {
        std::vector<LayoutsItem> layouts = layoutsFromJson(nlohmann::json::parse(readWhole(*path_)));
        log_ << "Loaded layoutsArray: " << layoutsToJson(layouts).dump() << '\n';
        return layouts;
    } catch (const std::exception& failure) {
        keepAsideBeforeWriting_ = exists;
        log_ << debugQuoted(failure.what()) << '\n';
        return {};
    }
}

bool LayoutsFile::save(const std::vector<LayoutsItem>& layouts) {
    if (!path_) return false;
    try {
        writeReplacing(layoutsToJson(layouts).dump());
    } catch (const std::exception& failure) {
        log_ << "Error saving file: " << failure.what() << '\n';
        return false;
    }
    log_ << "Saved to " << path_->string() << '\n';
    return true;
}

void LayoutsFile::writeReplacing(const std::string& text) {
    const fs::path folder = path_->parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw std::runtime_error("The folder " + folder.string() + " cannot be created: " + error.message());

    std::string pattern = (folder / (std::string(kLayoutsFileName) + ".XXXXXX")).string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) throw systemFailure("A temporary file cannot be made in " + folder.string(), errno);
    const fs::path temporary = pattern;
    if (!writeAndClose(descriptor, text)) {
        const int failure = errno;
        fs::remove(temporary, error);
        throw systemFailure("The file " + temporary.string() + " cannot be written", failure);
    }
    if (keepAsideBeforeWriting_) {
        fs::rename(*path_, folder / kUnreadableLayoutsFileName, error);
        std::error_code statusError;
        if (error && fs::exists(fs::symlink_status(*path_, statusError))) {
            fs::remove(temporary, error);
            throw std::runtime_error("The unreadable file " + path_->string() + " cannot be kept aside: " +
                                     error.message());
        }
        keepAsideBeforeWriting_ = false;
    }
    fs::rename(temporary, *path_, error);
    if (error) {
        const std::string reason = error.message();
        fs::remove(temporary, error);
        throw std::runtime_error("The file " + path_->string() + " cannot be replaced: " + reason);
    }
}

}  // namespace tallyvane
