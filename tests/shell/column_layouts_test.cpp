#include "shell/column_layouts.h"

#include <fstream>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/read_only_folder.h"
#include "support/temporary_folder.h"
#include "support/named_case.h"

namespace tallyvane {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;
using test::TemporaryFolder;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class ColumnLayoutsTest : public ::testing::Test {
protected:
    ColumnLayouts make() { return ColumnLayouts(LayoutsFile(folder.path(), log)); }

    nlohmann::json written() const {
        std::ifstream in(folder.path() / "Layouts.json");
        return nlohmann::json::parse(in);
    }

    std::vector<std::string> storedNames(const ColumnLayouts& layouts) const {
        std::vector<std::string> names;
        for (const LayoutsItem& layout : layouts.layouts()) names.push_back(layout.name);
        return names;
    }

    static ColumnLayouts& add(ColumnLayouts& layouts, const std::string& name) {
        layouts.addLayout();
        layouts.confirmLayoutName(name);
        return layouts;
    }

    TemporaryFolder folder;
    std::ostringstream log;
};

TEST_F(ColumnLayoutsTest, StartsOnTheLockedBuiltInEntryThatCannotBeRenamedRemovedOrChanged) {
    ColumnLayouts layouts = make();
    EXPECT_THAT(layouts.appMenu().titles(), ElementsAre("Default"));
    EXPECT_THAT(layouts.settingsMenu().titles(), ElementsAre("Default"));
    const ColumnControls& controls = layouts.controls();
    for (std::size_t column = 0; column < kColumnSwitchCount; ++column) {
        EXPECT_EQ(controls.checked[column], column > kKeepThumbnailsSwitch) << column;
        EXPECT_FALSE(controls.enabled[column]) << column;
    }
    EXPECT_EQ(controls.thumbnailWidthText, "40");
    EXPECT_FALSE(controls.thumbnailWidthEnabled);
    EXPECT_FALSE(layouts.canEditLayout());
    EXPECT_FALSE(layouts.canRemoveLayout());
    EXPECT_FALSE(fs::exists(folder.path() / "Layouts.json"));

    // Beside a stored layout, it cannot be renamed, removed or changed.
    add(layouts, "Edit");
    layouts.chooseInApp(0);
    layouts.editLayout();
    EXPECT_FALSE(layouts.nameSheet().open);
    layouts.removeLayout();
    layouts.columnChanged(kRowNumbersSwitch, true);
    layouts.thumbnailWidthChanged("80");
    EXPECT_THAT(layouts.appMenu().titles(), ElementsAre("Default", "Edit"));
    EXPECT_FALSE(layouts.controls().checked[kRowNumbersSwitch]);
    EXPECT_EQ(layouts.controls().thumbnailWidthText, "40");
    EXPECT_EQ(layouts.layouts()[0], layoutsFromJson(written())[0]);
    EXPECT_FALSE(layouts.layouts()[0].columns[kRowNumbersSwitch]);
}

struct AddCase {
    const char* name;
    std::vector<std::string> typed;
    std::vector<std::string> stored;
};

class AddingLayouts : public ColumnLayoutsTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddingLayouts, NumbersTakenNamesOn) {
    ColumnLayouts layouts = make();
    for (const std::string& name : GetParam().typed) add(layouts, name);
    EXPECT_THAT(storedNames(layouts), ElementsAreArray(GetParam().stored));
    std::vector<std::string> menu{"Default"};
    menu.insert(menu.end(), GetParam().stored.begin(), GetParam().stored.end());
    EXPECT_THAT(layouts.appMenu().titles(), ElementsAreArray(menu));
    EXPECT_THAT(layouts.settingsMenu().titles(), ElementsAreArray(menu));
    EXPECT_EQ(written().size(), GetParam().stored.size());
}

INSTANTIATE_TEST_SUITE_P(
    Names, AddingLayouts,
    ::testing::Values(AddCase{"sameNameThrice", {"Edit", "Edit", "Edit"}, {"Edit", "Edit1", "Edit2"}},
                      AddCase{"paddedSeries", {"Take 009", "Take 010", "Take 009"}, {"Take 009", "Take 010", "Take 011"}},
                      AddCase{"emptyNameChangesNothing", {"", "A", ""}, {"A"}},
                      // The built-in entry's title is taken too, or the menus would lose it.
                      AddCase{"builtInTitle", {"Default", "Default"}, {"Default1", "Default2"}},
                      AddCase{"canonicallyEqual", {"Cafe\u0301", "Caf\u00E9"}, {"Caf\u00E9", "Caf\u00E91"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ColumnLayoutsTest, CancelledSheetChangesNothingAndAddShowsTheNewLayoutInSettingsOnly) {
    ColumnLayouts layouts = make();
    layouts.addLayout();
    EXPECT_TRUE(layouts.nameSheet().open);
    EXPECT_EQ(layouts.nameSheet().fieldText, "");
    layouts.cancelLayoutName();
    layouts.confirmLayoutName("Late");
    EXPECT_TRUE(layouts.layouts().empty());
    add(layouts, "Edit");
    EXPECT_EQ(layouts.settingsMenu().selectedTitle(), "Edit");
    EXPECT_EQ(layouts.appMenu().selectedTitle(), "Default");
    for (std::size_t column = 0; column < kColumnSwitchCount; ++column) {
        EXPECT_FALSE(layouts.controls().checked[column]);
        EXPECT_TRUE(layouts.controls().enabled[column]);
    }
    EXPECT_TRUE(layouts.canEditLayout());
    EXPECT_TRUE(layouts.canRemoveLayout());
    EXPECT_FALSE(layouts.nameSheet().open);
}

TEST_F(ColumnLayoutsTest, RenamingKeepsThePlaceInBothMenusAndToItsOwnNameChangesNothing) {
    ColumnLayouts layouts = make();
    for (const char* name : {"One", "Two", "Three"}) add(layouts, name);
    const std::string id = layouts.layouts()[1].id;
    layouts.chooseInSettings(2);
    layouts.editLayout();
    EXPECT_EQ(layouts.nameSheet().fieldText, "Two");
    layouts.confirmLayoutName("Two");
    EXPECT_THAT(storedNames(layouts), ElementsAre("One", "Two", "Three"));
    layouts.editLayout();
    layouts.confirmLayoutName("Second");
    EXPECT_THAT(storedNames(layouts), ElementsAre("One", "Second", "Three"));
    for (const PopupMenu* menu : {&layouts.appMenu(), &layouts.settingsMenu()}) {
        EXPECT_THAT(menu->titles(), ElementsAre("Default", "One", "Second", "Three"));
        EXPECT_EQ(menu->selectedTitle(), "Second");
    }
    EXPECT_EQ(written()[1]["name"], "Second");

    // Renaming to another layout's name numbers it on.
    layouts.chooseInApp(2);
    layouts.editLayout();
    layouts.confirmLayoutName("One");
    EXPECT_THAT(storedNames(layouts), ElementsAre("One", "One1", "Three"));
    EXPECT_EQ(layouts.layouts()[1].id, id);
}

struct StoredWidthCase {
    const char* typed;
    const char* stored;
    // A width no column shows is said and not stored.
    bool refused = false;
};

void PrintTo(const StoredWidthCase& row, std::ostream* out) { *out << '"' << row.typed << '"'; }

class StoredThumbnailWidth : public ColumnLayoutsTest, public ::testing::WithParamInterface<StoredWidthCase> {};

TEST_P(StoredThumbnailWidth, IsAPositiveNumberOrForty) {
    ColumnLayouts layouts = make();
    add(layouts, "Edit");
    layouts.thumbnailWidthChanged(GetParam().typed);
    EXPECT_EQ(layouts.controls().thumbnailWidthText, GetParam().typed);
    EXPECT_EQ(layouts.layouts()[0].thumbnailWidthPopup, GetParam().stored);
    EXPECT_EQ(written()[0]["thumbnailWidthPopup"], GetParam().stored);
    EXPECT_EQ(layouts.controls().thumbnailWidthProblem.empty(), !GetParam().refused);
    // Chosen again, the stored width is shown without a word.
    layouts.chooseInSettings(1);
    EXPECT_TRUE(layouts.controls().thumbnailWidthProblem.empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, StoredThumbnailWidth,
                         ::testing::Values(StoredWidthCase{"abc", "40"}, StoredWidthCase{"0", "40"},
                                           StoredWidthCase{"-50", "50"}, StoredWidthCase{"120", "120"},
                                           StoredWidthCase{"80px", "80"}, StoredWidthCase{"60.5", "60"},
                                           StoredWidthCase{"1790", "1790"}, StoredWidthCase{"1791", "40", true},
                                           StoredWidthCase{"-2147483648", "40", true},
                                           // A layout reads the width as a 32-bit integer.
                                           StoredWidthCase{"2147483648", "40"}));

TEST_F(ColumnLayoutsTest, RemovingAppliesTheNeighbourAndTheLastLeavesTheBuiltInEntry) {
    ColumnLayouts layouts = make();
    add(layouts, "One");
    layouts.columnChanged(kRowNumbersSwitch, true);
    add(layouts, "Two");
    layouts.removeLayout();
    EXPECT_THAT(storedNames(layouts), ElementsAre("One"));
    EXPECT_EQ(layouts.settingsMenu().selectedTitle(), "One");
    EXPECT_EQ(layouts.appMenu().selectedTitle(), "One");
    EXPECT_TRUE(layouts.controls().checked[kRowNumbersSwitch]);

    // Removing the only layout leaves the built-in entry and writes an empty list.
    layouts.removeLayout();
    EXPECT_THAT(layouts.appMenu().titles(), ElementsAre("Default"));
    EXPECT_THAT(layouts.settingsMenu().titles(), ElementsAre("Default"));
    EXPECT_TRUE(layouts.layouts().empty());
    EXPECT_EQ(written(), nlohmann::json::array());
    EXPECT_FALSE(layouts.canRemoveLayout());
    EXPECT_FALSE(layouts.controls().enabled[0]);
}

TEST_F(ColumnLayoutsTest, FileWithRepeatedOrBuiltInNamesKeepsTheMenusInStep) {
    std::vector<LayoutsItem> stored{LayoutsItem::named("Default"), LayoutsItem::named("X"), LayoutsItem::named("X")};
    std::ofstream(folder.path() / "Layouts.json") << layoutsToJson(stored).dump();
    const ColumnLayouts layouts = make();
    EXPECT_THAT(storedNames(layouts), ElementsAre("Default1", "X", "X1"));
    EXPECT_THAT(layouts.appMenu().titles(), ElementsAre("Default", "Default1", "X", "X1"));
}

TEST_F(ColumnLayoutsTest, TwoProgramsOnOneFolderKeepAndSeeEachOthersChanges) {
    ColumnLayouts first = make();
    ColumnLayouts second = make();
    add(first, "Edit");
    add(second, "Edit");
    EXPECT_THAT(storedNames(second), ElementsAre("Edit", "Edit1"));
    EXPECT_EQ(written().size(), 2u);
    // The first sees the second's layout once it shows its layouts again, keeping its choice.
    first.refresh();
    EXPECT_THAT(first.appMenu().titles(), ElementsAre("Default", "Edit", "Edit1"));
    EXPECT_EQ(first.settingsMenu().selectedTitle(), "Edit");
    // A change to a layout another program removed is dropped and leaves the built-in entry.
    second.chooseInSettings(1);
    second.removeLayout();
    first.columnChanged(kRowNumbersSwitch, true);
    EXPECT_THAT(storedNames(first), ElementsAre("Edit1"));
    EXPECT_EQ(first.settingsMenu().selectedIndex(), 0u);
    EXPECT_FALSE(first.controls().enabled[kRowNumbersSwitch]);
}

// Another program's change shows at a refresh and moves neither menu; the chosen layout it
// removed is handled as a removal here: the one that took its place is chosen.
TEST_F(ColumnLayoutsTest, AnotherProgramsChangeMovesNoMenu) {
    ColumnLayouts here = make();
    add(here, "B");
    here.chooseInApp(0);
    add(here, "A");  // an add in Settings leaves the main window's choice alone
    ColumnLayouts other = make();
    other.chooseInSettings(2);
    other.columnChanged(kRowNumbersSwitch, true);
    here.refresh();
    EXPECT_EQ(here.appMenu().selectedTitle(), "Default");
    EXPECT_EQ(here.settingsMenu().selectedTitle(), "A");
    EXPECT_TRUE(here.controls().checked[kRowNumbersSwitch]);

    other.chooseInSettings(2);
    other.removeLayout();
    here.refresh();
    EXPECT_THAT(storedNames(here), ElementsAre("B"));
    EXPECT_EQ(here.settingsMenu().selectedTitle(), "B");
    EXPECT_EQ(here.appMenu().selectedTitle(), "B");
}

// Changes that could not be written stay, through a refresh, and are all written with the
// next change that can be, over what another program wrote meanwhile.
TEST_F(ColumnLayoutsTest, ChangesAFolderRefusedAreKeptAndWrittenLater) {
    std::ofstream(folder.path() / "Layouts.json") << "[]";
    ColumnLayouts layouts = make();
    {
        const test::ReadOnlyFolder readOnly(folder.path());
        if (!readOnly.effective()) GTEST_SKIP() << "root without the immutable flag";
        add(layouts, "First");
        add(layouts, "Second");
        layouts.refresh();
        EXPECT_THAT(storedNames(layouts), ElementsAre("First", "Second"));
        EXPECT_EQ(layouts.settingsMenu().selectedTitle(), "Second");
    }
    EXPECT_EQ(written(), nlohmann::json::array());
    ColumnLayouts other = make();
    add(other, "Other");
    add(layouts, "Third");
    EXPECT_THAT(storedNames(layouts), ElementsAre("Other", "First", "Second", "Third"));
    std::vector<std::string> names;
    for (const auto& layout : written()) names.push_back(layout["name"]);
    EXPECT_THAT(names, ElementsAre("Other", "First", "Second", "Third"));
}

// A layout copied by hand with its id gets an id of its own that every read gives again, so
// it stays chosen and its edits land on it; a stored negative width counts as its size.
TEST_F(ColumnLayoutsTest, ARepeatedIdIsRepairedTheSameWayAtEveryRead) {
    std::vector<LayoutsItem> stored{LayoutsItem::named("Editors"), LayoutsItem::named("Editors copy"),
                                    LayoutsItem::named("By hand")};
    stored[1].id = stored[0].id;
    stored[1].thumbnailWidthPopup = "-7";
    stored[2].thumbnailWidthPopup = "-9223372036854775808";
    std::ofstream(folder.path() / "Layouts.json") << layoutsToJson(stored).dump();
    ColumnLayouts layouts = make();
    EXPECT_EQ(make().layouts()[1].id, layouts.layouts()[1].id);
    EXPECT_NE(layouts.layouts()[1].id, stored[0].id);
    layouts.chooseInApp(2);
    EXPECT_EQ(layouts.controls().thumbnailWidthProblem, "");
    layouts.refresh();
    EXPECT_EQ(layouts.settingsMenu().selectedTitle(), "Editors copy");
    layouts.columnChanged(kRowNumbersSwitch, true);
    EXPECT_EQ(written()[1]["name"], "Editors copy");
    EXPECT_EQ(written()[1]["rowNumbersColumnCheckbox"], true);
    EXPECT_EQ(written()[0]["rowNumbersColumnCheckbox"], false);
    // A width with no size of its own is said as it stands in the file.
    layouts.chooseInApp(3);
    EXPECT_THAT(layouts.controls().thumbnailWidthProblem, ::testing::HasSubstr(", not -9223372036854775808: "));
}

}  // namespace
}  // namespace tallyvane
