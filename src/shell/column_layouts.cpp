#include "shell/column_layouts.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "shell/layout_name.h"

namespace tallyvane {

namespace {

bool nameTaken(const std::vector<LayoutsItem>& layouts, const std::string& name) {
    return name == kBuiltInLayoutTitle ||
           std::any_of(layouts.begin(), layouts.end(), [&](const LayoutsItem& layout) { return layout.name == name; });
}

std::vector<LayoutsItem>::iterator withId(std::vector<LayoutsItem>& layouts, const std::string& id) {
    return std::find_if(layouts.begin(), layouts.end(), [&](const LayoutsItem& layout) { return layout.id == id; });
}

// The menus hold each title once and choose by id; a file written by hand could repeat a
// name or an id or take the built-in entry's name, which would put them out of step.
void makeUnique(std::vector<LayoutsItem>& layouts) {
    std::vector<LayoutsItem> kept;
    for (LayoutsItem& layout : layouts) {
        while (nameTaken(kept, layout.name)) layout.name = nextLayoutName(layout.name);
        while (withId(kept, layout.id) != kept.end()) layout.id = repeatedLayoutId(layout.id);
        kept.push_back(std::move(layout));
    }
    layouts = std::move(kept);
}

}  // namespace

ColumnLayouts::ColumnLayouts(LayoutsFile file) : file_(std::move(file)) {
    show(file_.load());
    chooseInSettings(0);
}

std::optional<std::string> ColumnLayouts::chosenId(const PopupMenu& menu) const {
    const std::size_t index = menu.selectedIndex().value_or(0);
    if (index == 0 || index > layouts_.size()) return std::nullopt;
    return layouts_[index - 1].id;
}

std::size_t ColumnLayouts::menuIndexOf(const std::optional<std::string>& id) const {
    for (std::size_t index = 0; id && index < layouts_.size(); ++index) {
        if (layouts_[index].id == *id) return index + 1;
    }
    return 0;
}

void ColumnLayouts::show(std::vector<LayoutsItem> layouts) {
    const std::optional<std::string> app = chosenId(appMenu_);
    const std::optional<std::string> settings = chosenId(settingsMenu_);
    makeUnique(layouts);
    layouts_ = std::move(layouts);
    for (PopupMenu* menu : {&appMenu_, &settingsMenu_}) {
        menu->removeAll();
        menu->addItem(std::string(kBuiltInLayoutTitle));
        for (const LayoutsItem& layout : layouts_) menu->addItem(layout.name);
    }
    appMenu_.select(menuIndexOf(app));
    settingsMenu_.select(menuIndexOf(settings));
}

void ColumnLayouts::change(const LayoutsFile::Change& edit) {
    show(file_.update([edit](std::vector<LayoutsItem>& layouts) {
        makeUnique(layouts);
        edit(layouts);
    }));
}

void ColumnLayouts::changeChosen(const std::string& id, const std::function<void(LayoutsItem&)>& edit) {
    change([id, edit](std::vector<LayoutsItem>& layouts) {
        const auto found = withId(layouts, id);
        if (found != layouts.end()) edit(*found);
    });
    if (!chosenLayout()) chooseInSettings(0);
}

void ColumnLayouts::refresh() {
    const auto chosen = [this] {
        const LayoutsItem* layout = chosenLayout();
        return layout ? std::optional<LayoutsItem>(*layout) : std::nullopt;
    };
    const std::optional<LayoutsItem> before = chosen();
    const std::size_t settingsPlace = settingsMenu_.selectedIndex().value_or(0);
    const std::size_t appPlace = appMenu_.selectedIndex().value_or(0);
    const bool appChoseStored = chosenId(appMenu_).has_value();
    show(file_.reload());
    // Another program's change moves no menu; a chosen layout it removed is handled as a
    // removal here is: the layout that took its place is chosen, else the new last one.
    const std::size_t last = settingsMenu_.size() - 1;
    if (before && !chosenLayout()) {
        chooseInSettings(std::min(settingsPlace, last));
        return;
    }
    if (appChoseStored && !chosenId(appMenu_)) appMenu_.select(std::min(appPlace, last));
    // The controls follow the chosen layout only when it changed: a width typed as "80px"
    // stays as typed otherwise.
    if (chosen() != before) applyChosenLayout();
}

LayoutsItem* ColumnLayouts::chosenLayout() {
    const std::optional<std::string> id = chosenId(settingsMenu_);
    if (!id) return nullptr;
    const auto found = withId(layouts_, *id);
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
    applyChosenLayout();
}

void ColumnLayouts::applyChosenLayout() {
    const std::size_t index = settingsMenu_.selectedIndex().value_or(0);
    controls_.thumbnailWidthText = std::string(kDefaultThumbnailWidth);
    controls_.thumbnailWidthProblem.clear();
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
        // A width written by hand or by another version is said, not used.
        controls_.thumbnailWidthProblem =
            thumbnailWidthProblem(thumbnailWidthValue(layout->thumbnailWidthPopup), layout->thumbnailWidthPopup).value_or("");
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
    const std::string name = canonicalLayoutName(typedName);
    if (name.empty()) return;
    const std::optional<std::string> chosen = chosenId(settingsMenu_);
    if (nameSheet_.purpose == LayoutNameSheet::Purpose::add) {
        // Made once: a change not yet written is applied again, and must add the same layout.
        const LayoutsItem added = LayoutsItem::named(name);
        change([added](std::vector<LayoutsItem>& layouts) {
            LayoutsItem layout = added;
            while (nameTaken(layouts, layout.name)) layout.name = nextLayoutName(layout.name);
            layouts.push_back(std::move(layout));
        });
        settingsMenu_.select(menuIndexOf(added.id));
        controls_.setAllEnabled(true);
        controls_.setAllChecked(false);
        editEnabled_ = true;
        removeEnabled_ = true;
        return;
    }
    if (!chosen || name == settingsMenu_.selectedTitle()) return;
    // The name must be free among the layouts as the file holds them now.
    change([id = *chosen, name](std::vector<LayoutsItem>& layouts) {
        const auto found = withId(layouts, id);
        if (found == layouts.end()) return;
        std::string free = name;
        while (nameTaken(layouts, free)) free = nextLayoutName(free);
        found->name = free;
    });
    appMenu_.select(menuIndexOf(chosen));
    if (!chosenLayout()) chooseInSettings(0);
}

void ColumnLayouts::removeLayout() {
    if (!removeEnabled_ || !chosenLayout()) return;
    const std::optional<std::string> removed = chosenId(settingsMenu_);
    // The layout that takes its place is chosen, else the new last one.
    const std::size_t place = settingsMenu_.selectedIndex().value_or(0);
    change([removed = *removed](std::vector<LayoutsItem>& layouts) {
        std::erase_if(layouts, [&](const LayoutsItem& layout) { return layout.id == removed; });
    });
    const std::size_t next = std::min(place, settingsMenu_.size() - 1);
    chooseInSettings(next);
}

void ColumnLayouts::columnChanged(std::size_t column, bool on) {
    const std::optional<std::string> chosen = chosenId(settingsMenu_);
    if (!chosen || column >= kColumnSwitchCount) return;
    controls_.checked[column] = on;
    changeChosen(*chosen, [column, on](LayoutsItem& layout) { layout.columns[column] = on; });
}

void ColumnLayouts::thumbnailWidthChanged(const std::string& text) {
    const std::optional<std::string> chosen = chosenId(settingsMenu_);
    if (!chosen) return;
    controls_.thumbnailWidthText = text;
    const std::int64_t size = std::llabs(controlInt32Value(text));
    const std::string stored = size == 0 ? std::string(kDefaultThumbnailWidth) : std::to_string(size);
    // A width no column shows is said beside the field and not stored.
    const std::optional<std::string> problem = thumbnailWidthProblem(size);
    controls_.thumbnailWidthProblem = problem.value_or("");
    if (problem) return;
    changeChosen(*chosen, [stored](LayoutsItem& layout) { layout.thumbnailWidthPopup = stored; });
}

}  // namespace tallyvane
