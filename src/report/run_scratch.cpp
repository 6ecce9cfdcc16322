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
    // The report's workers run on until the signal ends the program, and one may add a
    // thumbnail while its folder is being removed: a second pass takes what came late.
    for (int pass = 0; pass < 2; ++pass) {
        std::error_code ignored;
        for (const auto& [id, path] : r.paths) fs::remove_all(path, ignored);
    }
    if (!r.workFolder.empty()) removeEmptyWorkFolder(r.workFolder);
}

}  // namespace tallyvane
