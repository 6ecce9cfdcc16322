#pragma once
// A check of the media module's file before the loader maps it.

#include <filesystem>
#include <optional>
#include <string>

namespace tallyvane {

// Why `module` cannot be loaded because its file is cut short (a partial copy, a disk that
// filled during an install): the loader would map the segments its program headers name past
// the file's end, and the first touch of such a page ends the program with SIGBUS. Nothing
// when the file holds them all, or is no ELF file of this machine at all (the loader says so).
std::optional<std::string> truncatedModuleReason(const std::filesystem::path& module);

}  // namespace tallyvane
