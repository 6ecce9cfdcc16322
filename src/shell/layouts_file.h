#pragma once
// "Layouts.json" in the support folder, shared by every running program of the user: each
// change of the layouts is applied to the file as it is at that moment, under a lock on the
// folder, so that no program's change undoes another's. A file that is there but cannot be
// read is never overwritten: the write moves it aside as "Layouts.json.unreadable", so the
// user's layouts can be recovered.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
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

    // The stored layouts as they are now, quietly: `current` when the file is missing or
    // cannot be read.
    std::vector<LayoutsItem> reload(std::vector<LayoutsItem> current) const;

    using Change = std::function<void(std::vector<LayoutsItem>&)>;
    // Applies one change to the stored layouts: under a lock on the folder (made if need be)
    // the file is read again, `change` is applied to what it holds (to `current`, the
    // program's own list, when it is missing or cannot be read) and the result is written to
    // a temporary file renamed over it. Returns the layouts after the change; a failure to
    // write is one diagnostic line, and the program goes on with them for the run.
    std::vector<LayoutsItem> update(std::vector<LayoutsItem> current, const Change& change);

private:
    // What the file holds, or why not; `present` tells whether there is a file at all.
    struct Reading {
        bool present = false;
        std::optional<std::vector<LayoutsItem>> layouts;
        std::string failure;
    };
    Reading read() const;
    void writeReplacing(const std::string& text, bool keepAside);

    std::optional<std::filesystem::path> path_;
    std::ostream& log_;
};

}  // namespace tallyvane
