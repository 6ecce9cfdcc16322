#pragma once
// "Layouts.json" in the support folder: read once at start-up, rewritten after every change
// of the layouts. A file that is there but cannot be read is never overwritten: the first
// write moves it aside as "Layouts.json.unreadable", so the user's layouts can be recovered.

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <vector>

#include "shell/layouts_item.h"

namespace tallyvane {

inline constexpr const char* kLayoutsFileName = "Layouts.json";
inline constexpr const char* kUnreadableLayoutsFileName = "Layouts.json.unreadable";

class LayoutsFile {
public:
    // Without a folder the layouts live for the run only and are never written.
    LayoutsFile(std::optional<std::filesystem::path> folder, std::ostream& log);

    const std::optional<std::filesystem::path>& path() const noexcept { return path_; }

    // The stored layouts; none, after one diagnostic line, when the file is missing or
    // cannot be read or decoded.
    std::vector<LayoutsItem> load();

    // Creates the folder, writes a temporary file beside the layouts file and renames it
    // over it. Whether the layouts reached the disk; a failure is one diagnostic line.
    bool save(const std::vector<LayoutsItem>& layouts);

private:
    void writeReplacing(const std::string& text);

    std::optional<std::filesystem::path> path_;
    std::ostream& log_;
    bool keepAsideBeforeWriting_ = false;
};

}  // namespace tallyvane
