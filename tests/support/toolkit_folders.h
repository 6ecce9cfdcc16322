#pragma once
// The toolkit's runtime, configuration and cache folders for a test program that opens
// widgets, made before they are named: without a runtime folder of the user's own, private,
// the toolkit makes one in the temporary folder and leaves it there, and the file dialogs
// keep their state in the home.

#include <filesystem>

namespace tallyvane::test {

struct ToolkitFolders {
    std::filesystem::path runtime;
    std::filesystem::path config;
    std::filesystem::path cache;
};

// In `base` (in the build tree), in a folder of the user's own, since root may run the suite
// in a tree another user built; in a temporary folder of the run, removed at its end, where
// that folder cannot be had or, for root, where another user controls `base`.
ToolkitFolders toolkitFolders(const std::filesystem::path& base);

}  // namespace tallyvane::test
