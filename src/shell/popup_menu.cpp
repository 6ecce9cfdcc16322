#include "shell/popup_menu.h"

#include <algorithm>

namespace tallyvane {

void PopupMenu::addItem(const std::string& title) { insertItem(title, titles_.size()); }

void PopupMenu::insertItem(const std::string& title, std::size_t index) {
    if (const auto existing = indexOf(title)) {
        removeAt(*existing);
        if (*existing < index) --index;
    }
    index = std::min(index, titles_.size());
    titles_.insert(titles_.begin() + static_cast<std::ptrdiff_t>(index), title);
    if (!selected_) {
        selected_ = index;
    } else if (*selected_ >= index) {
        ++*selected_;
    }
}

void PopupMenu::removeItem(std::string_view title) {
    if (const auto index = indexOf(title)) removeAt(*index);
}

void PopupMenu::removeAll() {
    titles_.clear();
    selected_.reset();
}

void PopupMenu::removeAt(std::size_t index) {
    titles_.erase(titles_.begin() + static_cast<std::ptrdiff_t>(index));
    if (!selected_) return;
    if (titles_.empty()) {
        selected_.reset();
    } else if (*selected_ > index || *selected_ == titles_.size()) {
        --*selected_;
    }
}

std::optional<std::size_t> PopupMenu::indexOf(std::string_view title) const {
    const auto found = std::find(titles_.begin(), titles_.end(), title);
    if (found == titles_.end()) return std::nullopt;
    return static_cast<std::size_t>(found - titles_.begin());
}

void PopupMenu::select(std::size_t index) {
    if (index < titles_.size()) selected_ = index;
}

std::string PopupMenu::selectedTitle() const { return selected_ ? titles_[*selected_] : std::string(); }

}  // namespace tallyvane
