#pragma once
// A pop-up menu's items and selection, kept apart from any toolkit so that its rules hold in
// the windows and in the command-line tool alike. Titles are unique: adding or inserting a
// title the menu already holds removes the older item first, as the desktop menus did.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallyvane {

class PopupMenu {
public:
    const std::vector<std::string>& titles() const noexcept { return titles_; }
    std::size_t size() const noexcept { return titles_.size(); }
    bool empty() const noexcept { return titles_.empty(); }

    // The first item that enters an empty menu is selected.
    void addItem(const std::string& title);
    // `index` is clamped to the end of the menu.
    void insertItem(const std::string& title, std::size_t index);
    // Removing the selected item selects the item that takes its place, else the new last one.
    void removeItem(std::string_view title);
    void removeAll();

    std::optional<std::size_t> indexOf(std::string_view title) const;
    // An index past the end is ignored.
    void select(std::size_t index);
    std::optional<std::size_t> selectedIndex() const noexcept { return selected_; }
    // Empty when nothing is selected.
    std::string selectedTitle() const;

private:
    void removeAt(std::size_t index);

    std::vector<std::string> titles_;
    std::optional<std::size_t> selected_;
};

}  // namespace tallyvane
