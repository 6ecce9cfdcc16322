#include "support/temporary_folder.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include <stdlib.h>

namespace tallyvane::test {

TemporaryFolder::TemporaryFolder(const std::filesystem::path& parent) {
    const std::filesystem::path in = parent.empty() ? std::filesystem::temp_directory_path() : parent;
    std::string pattern = (in / "tallyvane-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace tallyvane::test
