#pragma once
// Bytes handed to another process through a file of their own.

#include <filesystem>
#include <string_view>

namespace tallyvane {

// Writes the bytes to a new file named by a random UUID in the directory (the
// system's temporary directory by default) and returns its path. The file is created
// exclusively, readable and writable by the owner only, so an existing file or link
// of that name is never written through. Throws std::system_error; a file that could
// not be written completely is removed.
std::filesystem::path writeToTemporaryFile(std::string_view bytes,
                                           const std::filesystem::path& directory = std::filesystem::temp_directory_path());

}  // namespace tallyvane
