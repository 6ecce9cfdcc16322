#include "report/run_scratch.h"

#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

#include "report/support_folder_lock.h"

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

struct Registry {
    std::mutex mutex;
    std::uint64_t nextId = 0;
    std::vector<std::pair<std::uint64_t, fs::path>> paths;
    fs::path workFolder;
};

Registry& registry() {
    // Never destroyed: a signal may arrive while static objects are being destroyed.
    static auto* const instance = new Registry;
    return *instance;
}

// The report's workers run on until the signal ends the program, and would go on adding
// thumbnails to a folder being removed. Moved aside first, the folder is no longer where
// they write; what one of them was adding at that moment is taken by a further pass.
void removeWhole(const fs::path& path) {
    fs::path aside = path;
    aside += ".removed";
    std::error_code error;
    fs::rename(path, aside, error);
    const fs::path& target = error ? path : aside;
    for (int pass = 0; pass < 100; ++pass) {
        fs::remove_all(target, error);
        if (!fs::exists(fs::symlink_status(target, error))) return;
    }
}

}  // namespace

ScratchRegistration::ScratchRegistration(const fs::path& path) {
    Registry& r = registry();
    const std::lock_guard<std::mutex> lock(r.mutex);
    id_ = r.nextId++;
    r.paths.emplace_back(id_, path);
}

ScratchRegistration::~ScratchRegistration() {
    Registry& r = registry();
    const std::lock_guard<std::mutex> lock(r.mutex);
    std::erase_if(r.paths, [this](const auto& entry) { return entry.first == id_; });
}

void setRunWorkFolder(const fs::path& folder) {
    Registry& r = registry();
    const std::lock_guard<std::mutex> lock(r.mutex);
    r.workFolder = folder;
}

void removeEmptyWorkFolder(const fs::path& folder) {
    // Removing the folder itself fails, as it should, while anything else is left in it.
    std::error_code ignored;
    fs::remove(folder / kReportLockName, ignored);
    fs::remove(folder, ignored);
}

void removeRunScratch() {
    Registry& r = registry();
    const std::lock_guard<std::mutex> lock(r.mutex);
    for (const auto& [id, path] : r.paths) removeWhole(path);
    if (!r.workFolder.empty()) removeEmptyWorkFolder(r.workFolder);
}

}  // namespace tallyvane
