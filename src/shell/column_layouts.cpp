#include "shell/column_layouts.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "shell/layout_name.h"

namespace tallyvane {

ColumnLayouts::ColumnLayouts(LayoutsFile file) : file_(std::move(file)), layouts_(file_.load()) {
    const std::string builtIn(kBuiltInLayoutTitle);
    appMenu_.addItem(builtIn);
    settingsMenu_.addItem(builtIn);
    // The menus hold each title once; a file written by hand could repeat a name or take the
    // built-in entry's, which would put the menus out of step with the layouts.
    std::vector<LayoutsItem> loaded = std::exchange(layouts_, {});
    for (LayoutsItem& layout : loaded) {
        while (nameTaken(layout.name)) layout.name = nextLayoutName(layout.name);
        appMenu_.addItem(layout.name);
        settingsMenu_.addItem(layout.name);
        layouts_.push_back(std::move(layout));
    }
    chooseInSettings(0);
}

bool ColumnLayouts::nameTaken(const std::string& name) const {
    return name == kBuiltInLayoutTitle ||
           std::any_of(layouts_.begin(), layouts_.end(), [&](const LayoutsItem& layout) { return layout.name == name; });
}

LayoutsItem* ColumnLayouts::chosenLayout() {
    const auto index = settingsMenu_.selectedIndex();
    if (!index || *index == 0) return nullptr;
    const std::string title = settingsMenu_.selectedTitle();
    const auto found =
        std::find_if(layouts_.begin(), layouts_.end(), [&](const LayoutsItem& layout) { return layout.name == title; });
    return found == layouts_.end() ? nullptr : &*found;
}

void ColumnLayouts::chooseInApp(std::size_t index) {
    if (index >= appMenu_.size()) return;
    chooseInSettings(index);
}

void ColumnLayouts::chooseInSettings(std::size_t index) {
    if (index >= settingsMenu_.size()) return;
    settingsMenu_.select(index);
    appMenu_.select(index);
    controls_.thumbnailWidthText = std::string(kDefaultThumbnailWidth);
    const bool stored = index != 0;
    controls_.setAllEnabled(stored);
    controls_.thumbnailWidthEnabled = stored;
    editEnabled_ = stored;
    removeEnabled_ = stored;
    if (!stored) {
        controls_.setAllChecked(true);
        controls_.checked[kRowNumbersSwitch] = false;
        controls_.checked[kThumbnailsSwitch] = false;
        controls_.checked[kKeepThumbnailsSwitch] = false;
        return;
    }
    if (const LayoutsItem* layout = chosenLayout()) {
        controls_.checked = layout->columns;
        controls_.thumbnailWidthText = layout->thumbnailWidthPopup;
    }
}

void ColumnLayouts::addLayout() { nameSheet_ = {true, LayoutNameSheet::Purpose::add, ""}; }

void ColumnLayouts::editLayout() {
    if (!editEnabled_) return;
    nameSheet_ = {true, LayoutNameSheet::Purpose::rename, settingsMenu_.selectedTitle()};
}

void ColumnLayouts::confirmLayoutName(const std::string& typedName) {
    if (!nameSheet_.open) return;
    nameSheet_.open = false;
    const std::string oldName = settingsMenu_.selectedTitle();
    std::string name = canonicalLayoutName(typedName);
    if (name.empty()) return;
    const bool adding = nameSheet_.purpose == LayoutNameSheet::Purpose::add;
    if (!adding && name == oldName) return save();
    while (nameTaken(name)) name = nextLayoutName(name);

    if (adding) {
        settingsMenu_.addItem(name);
        settingsMenu_.select(settingsMenu_.size() - 1);
        appMenu_.addItem(name);
        controls_.setAllEnabled(true);
        controls_.setAllChecked(false);
        editEnabled_ = true;
        removeEnabled_ = true;
        layouts_.push_back(LayoutsItem::named(name));
        return save();
    }
    const auto found = std::find_if(layouts_.begin(), layouts_.end(),
                                    [&](const LayoutsItem& layout) { return layout.name == oldName; });
    if (found == layouts_.end()) return save();
    found->name = name;
    const std::size_t menuIndex = static_cast<std::size_t>(found - layouts_.begin()) + 1;
    for (PopupMenu* menu : {&settingsMenu_, &appMenu_}) {
        menu->insertItem(name, menuIndex);
        menu->select(menuIndex);
        menu->removeItem(oldName);
    }
    save();
}

void ColumnLayouts::removeLayout() {
    if (!removeEnabled_ || !chosenLayout()) return;
    const std::string title = settingsMenu_.selectedTitle();
    settingsMenu_.removeItem(title);
    appMenu_.removeItem(title);
    std::erase_if(layouts_, [&](const LayoutsItem& layout) { return layout.name == title; });
    chooseInSettings(settingsMenu_.selectedIndex().value_or(0));
    save();
}

void ColumnLayouts::columnChanged(std::size_t column, bool on) {
    LayoutsItem* layout = chosenLayout();
    if (!layout || column >= kColumnSwitchCount) return;
    controls_.checked[column] = on;
    layout->columns[column] = on;
    save();
}

void ColumnLayouts::thumbnailWidthChanged(const std::string& text) {
    LayoutsItem* layout = chosenLayout();
    if (!layout) return;
    controls_.thumbnailWidthText = text;
    const std::int64_t value = controlInt32Value(text);
    layout->thumbnailWidthPopup = value == 0 ? std::string(kDefaultThumbnailWidth) : std::to_string(std::llabs(value));
    save();
}

}  // namespace tallyvane
