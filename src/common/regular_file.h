#pragma once
// Opening a file that must be a regular file, such as a project document. The open never
// blocks (a FIFO would wait for a writer for ever) and the type is checked on the opened
// file, so nothing swapped in after a check is read, and a device is refused before its
// endless bytes are.

#include <cstdint>
#include <filesystem>
#include <string>

namespace tallyvane {

class RegularFile {
public:
    // `wanted` names what the file is for in the failure sentence.
    explicit RegularFile(const std::filesystem::path& path, const char* wanted = "a document file");
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const noexcept { return descriptor_ >= 0; }
    int descriptor() const noexcept { return descriptor_; }
    std::uintmax_t size() const noexcept { return size_; }
    // Why it is not open, as a sentence for an alert: the system's reason, or what the
    // path is instead of a regular file ("It is a folder, not a document file.").
    const std::string& failure() const noexcept { return failure_; }

private:
    int descriptor_ = -1;
    std::uintmax_t size_ = 0;
    std::string failure_;
};

}  // namespace tallyvane
