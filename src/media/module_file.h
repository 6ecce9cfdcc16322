#pragma once
// A check of the media module's file before the loader maps it.

#include <filesystem>
#include <optional>
#include <string>

namespace tallyvane {

// Why `module` cannot be loaded, found before the loader tries: a file that is not a regular
// file (the loader would block for ever on a FIFO), or one cut short (a partial copy, a disk
// that filled during an install), whose segments the loader would map past the file's end,
// where the first touch of such a page ends the program with SIGBUS. Nothing when the file
// holds them all, or is no ELF file of this machine at all (the loader says so).
std::optional<std::string> unloadableModuleReason(const std::filesystem::path& module);

}  // namespace tallyvane
