#pragma once
// One source media file of a clip sheet, with the summed durations of the sheet's clips
// that use it: what the files summary of a report lists.

#include <string>
#include <unordered_map>
#include <vector>

namespace tallyvane {

struct FileTotal {
    std::string name;  // the file's last path component
    std::string path;  // its file-system path
    double estimatedTotal = 0.0;  // frames

    friend bool operator==(const FileTotal&, const FileTotal&) = default;
};

// The records of one sheet in the order their files were first met, one per path.
class FileTotals {
public:
    // The record of `path`; null until one is added.
    FileTotal* find(const std::string& path);
    // A record for a path not yet recorded.
    void add(FileTotal total);
    std::vector<FileTotal> take() { return std::move(totals_); }

private:
    std::vector<FileTotal> totals_;
    std::unordered_map<std::string, std::size_t> byPath_;
};

}  // namespace tallyvane
