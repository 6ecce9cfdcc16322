#pragma once
// The column layouts: the stored layouts, the two layout menus that list them (main window
// and settings window, always the same items, item 0 the built-in entry), the column
// controls they drive, and the name sheet of Add and Rename. Every change of a stored
// layout is applied to the layouts file as it is then, so that changes made by other
// running programs are kept and shown; each menu keeps its choice by the layout's id.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/layouts_file.h"
#include "shell/layouts_item.h"
#include "shell/popup_menu.h"
#include "shell/settings_controls.h"

namespace tallyvane {

inline constexpr std::string_view kBuiltInLayoutTitle = "Default";

// The sheet that asks for a layout's name; open from Add or Rename until OK or Cancel.
struct LayoutNameSheet {
    enum class Purpose { add, rename };
    bool open = false;
    Purpose purpose = Purpose::add;
    // The text the name field starts with.
    std::string fieldText;
};

class ColumnLayouts {
public:
    // Loads the stored layouts and fills both menus; the built-in entry is chosen.
    explicit ColumnLayouts(LayoutsFile file);

    const std::vector<LayoutsItem>& layouts() const noexcept { return layouts_; }
    const PopupMenu& appMenu() const noexcept { return appMenu_; }
    const PopupMenu& settingsMenu() const noexcept { return settingsMenu_; }
    const ColumnControls& controls() const noexcept { return controls_; }
    const LayoutNameSheet& nameSheet() const noexcept { return nameSheet_; }
    bool canEditLayout() const noexcept { return editEnabled_; }
    bool canRemoveLayout() const noexcept { return removeEnabled_; }
    const std::optional<std::filesystem::path>& filePath() const noexcept { return file_.path(); }
    // Why the layouts file could not be read at the start, when one stood there.
    const std::optional<std::string>& unreadableFile() const noexcept { return file_.unreadable(); }

    // Choosing in either menu selects the same item in the other and applies the layout to
    // the controls: the built-in entry locks them; a stored layout unlocks them.
    void chooseInApp(std::size_t index);
    void chooseInSettings(std::size_t index);

    // Open the name sheet: empty for Add; with the chosen layout's name for Rename, which the
    // built-in entry does not allow.
    void addLayout();
    void editLayout();
    // The sheet's OK. An empty name changes nothing; a name that is taken (or is the built-in
    // entry's) is numbered on until it is free. Add appends a layout with every switch off
    // and shows it in the settings window; Rename keeps the layout's place.
    void confirmLayoutName(const std::string& typedName);
    void cancelLayoutName() { nameSheet_.open = false; }
    // Removes the chosen stored layout and applies whatever the settings menu then chooses.
    void removeLayout();
    // Shows the layouts as the file holds them now, with what other programs changed, and
    // leaves both menus' choices where they were; a chosen layout that another program
    // removed is handled as a removal here is.
    void refresh();

    // A column switch or the thumbnail width was changed by the user: the control takes the
    // state and a chosen stored layout records it. Nothing changes under the built-in entry.
    void columnChanged(std::size_t column, bool on);
    void thumbnailWidthChanged(const std::string& text);

    // Sets a control for one report without touching any layout (the command line's
    // overrides on top of a layout).
    void overrideColumn(std::size_t column, bool on) { controls_.checked.at(column) = on; }
    void overrideThumbnailWidth(std::string text) { controls_.thumbnailWidthText = std::move(text); }

private:
    // The stored layout behind the settings menu's choice, or nothing for the built-in entry.
    LayoutsItem* chosenLayout();
    // The id of the layout a menu has chosen; nothing for the built-in entry.
    std::optional<std::string> chosenId(const PopupMenu& menu) const;
    // The menu index of the layout with `id`; the built-in entry's when there is none.
    std::size_t menuIndexOf(const std::optional<std::string>& id) const;
    // Applies one change to the stored layouts and shows the outcome.
    void change(const LayoutsFile::Change& edit);
    // Applies `edit` to the stored layout with `id` as the file holds it now; one that another
    // program removed is left alone, and the built-in entry is chosen.
    void changeChosen(const std::string& id, const std::function<void(LayoutsItem&)>& edit);
    // Sets the controls from the settings menu's choice: the built-in entry locks them; a
    // stored layout unlocks them and shows its switches and width.
    void applyChosenLayout();
    // Holds `layouts` and lists them in both menus, each keeping its choice by id.
    void show(std::vector<LayoutsItem> layouts);

    LayoutsFile file_;
    std::vector<LayoutsItem> layouts_;
    PopupMenu appMenu_;
    PopupMenu settingsMenu_;
    ColumnControls controls_;
    LayoutNameSheet nameSheet_;
    bool editEnabled_ = false;
    bool removeEnabled_ = false;
};

}  // namespace tallyvane
