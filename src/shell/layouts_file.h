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
    // Why the file that stood there at the load could not be read or decoded, as that line
    // says it; nothing when it was read, or when there was none.
    const std::optional<std::string>& unreadable() const noexcept { return unreadable_; }

    // The stored layouts as they are now, read quietly, with this program's changes that are
    // not written yet laid over them; the layouts last known when the file is missing or
    // cannot be read.
    std::vector<LayoutsItem> reload();

    using Change = std::function<void(std::vector<LayoutsItem>&)>;
    // Applies one change to the stored layouts: under a lock on the folder (made if need be)
    // the file is read again, every change of this program not written yet is applied to what
    // it holds (to the layouts last known, when it is missing or cannot be read), this one
    // last, and the result is written to a temporary file renamed over it. Returns the
    // layouts after the change. A failure to write is one diagnostic line: the changes are
    // kept, shown by `reload`, and written with the next change that can be written. A run
    // as root never writes in a folder another user controls: there every change is kept so.
    // A change is applied again at each try, so it must hold what it needs by value.
    std::vector<LayoutsItem> update(Change change);

private:
    // What the file holds, or why not; `present` tells whether there is a file at all.
    struct Reading {
        bool present = false;
        std::optional<std::vector<LayoutsItem>> layouts;
        std::string failure;
    };
    Reading read() const;
    void writeReplacing(const std::string& text, bool keepAside);

    // The layouts applying `pending_` to `known_` gives.
    std::vector<LayoutsItem> withPending() const;

    std::optional<std::filesystem::path> path_;
    std::ostream& log_;
    // The layouts as the file held them when last read or written.
    std::vector<LayoutsItem> known_;
    // This program's changes that no write has stored yet, in order.
    std::vector<Change> pending_;
    std::optional<std::string> unreadable_;
};

}  // namespace tallyvane
