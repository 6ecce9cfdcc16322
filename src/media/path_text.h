#pragma once

#include <filesystem>
#include <string>

namespace tallyvane {

// A file name as every message of the media layer shows it: within double quotes.
inline std::string quotedPath(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

}  // namespace tallyvane
