#pragma once
// One source media file of a clip sheet, with the summed durations of the sheet's clips
// that use it: what the files summary of a report lists.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tallyvane {

struct FileTotal {
    std::string name;  // the file's last path component
    std::string path;  // its file-system path
    double estimatedTotal = 0.0;  // frames

    friend bool operator==(const FileTotal&, const FileTotal&) = default;
};

// The first record whose path equals `path`, scanning from the front; null when none does.
FileTotal* firstFileTotal(std::span<FileTotal> totals, std::string_view path);

}  // namespace tallyvane
