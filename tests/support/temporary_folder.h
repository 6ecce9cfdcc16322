#pragma once
// A fresh folder under the system's temporary folder for one test, removed with everything
// in it afterwards, even where a test took write permission away inside it.

#include <filesystem>
#include <string>

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

// Makes the file's folder, then writes `text` as the whole file.
void writeText(const std::filesystem::path& path, const std::string& text);

}  // namespace tallyvane::test
