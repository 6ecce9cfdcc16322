#pragma once
// The temporary workbook and the thumbnail folder have fixed names in the support folder,
// so two programs writing reports there at once would empty each other's thumbnails and
// move each other's half-written workbook into place. A report holds this lock for as long
// as it uses them.

#include <filesystem>

namespace tallyvane {

// The lock's file in the support folder. It stays there between reports: removing it could
// let a third report lock a new file while a second still holds the old one.
inline constexpr const char* kReportLockName = ".report.lock";

class SupportFolderLock {
public:
    // Tries once and never waits: `held()` says whether the folder is now this report's.
    explicit SupportFolderLock(const std::filesystem::path& supportFolder);
    ~SupportFolderLock();
    SupportFolderLock(const SupportFolderLock&) = delete;
    SupportFolderLock& operator=(const SupportFolderLock&) = delete;

    bool held() const noexcept { return failure_ == 0; }
    // Why it is not held: EWOULDBLOCK while another report holds it, otherwise the reason the
    // lock's file cannot be opened or locked (a read-only folder, one of another user's).
    int failure() const noexcept { return failure_; }

private:
    int descriptor_;
    int failure_ = 0;
};

}  // namespace tallyvane
