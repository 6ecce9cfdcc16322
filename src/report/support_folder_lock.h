#pragma once
// The temporary workbook and the thumbnail folder have fixed names in the support folder,
// so two programs writing reports there at once would empty each other's thumbnails and
// move each other's half-written workbook into place. A report holds this lock for as long
// as it uses them.

#include <filesystem>

namespace tallyvane {

class SupportFolderLock {
public:
    // Tries once and never waits: `held()` says whether the folder is now this report's.
    explicit SupportFolderLock(const std::filesystem::path& supportFolder);
    ~SupportFolderLock();
    SupportFolderLock(const SupportFolderLock&) = delete;
    SupportFolderLock& operator=(const SupportFolderLock&) = delete;

    bool held() const noexcept { return held_; }

private:
    int descriptor_;
    bool held_ = false;
};

}  // namespace tallyvane
