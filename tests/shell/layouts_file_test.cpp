#include "shell/layouts_file.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>

#include <fcntl.h>
#include <sys/acl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "common/debug_text.h"
#include "support/bounded_child.h"
#include "support/temporary_folder.h"
#include "support/named_case.h"

namespace tallyvane {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;
using test::TemporaryFolder;
using ::testing::HasSubstr;
using ::testing::Not;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using test::writeText;

LayoutsFile::Change assign(std::vector<LayoutsItem> layouts) {
    return [layouts = std::move(layouts)](std::vector<LayoutsItem>& stored) { stored = layouts; };
}

std::vector<LayoutsItem> twoLayouts() {
    LayoutsItem first = LayoutsItem::named("Edit");
    first.columns[kRowNumbersSwitch] = true;
    first.columns[26] = true;
    first.thumbnailWidthPopup = "120";
    LayoutsItem second = LayoutsItem::named("Caf\u00E9 \"quoted\"");
    second.columns.fill(true);
    return {first, second};
}

TEST(LayoutsItem, NewLayoutHasEverySwitchOffAndAFreshUppercaseId) {
    const LayoutsItem a = LayoutsItem::named("A");
    const LayoutsItem b = LayoutsItem::named("A");
    EXPECT_NE(a.id, b.id);
    EXPECT_EQ(a.name, "A");
    EXPECT_EQ(a.thumbnailWidthPopup, "40");
    for (const bool on : a.columns) EXPECT_FALSE(on);
    // A version 4 UUID in upper case.
    EXPECT_THAT(a.id, ::testing::MatchesRegex("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}"));
}

TEST(LayoutsJson, HoldsThirtyKeysPerLayoutAndReadsBackEqualWhateverTheIdsCaseAndFurtherKeys) {
    const std::vector<LayoutsItem> layouts = twoLayouts();
    const nlohmann::json json = layoutsToJson(layouts);
    ASSERT_EQ(json.size(), 2u);
    std::set<std::string> keys;
    for (const auto& [key, value] : json[0].items()) keys.insert(key);
    EXPECT_EQ(keys.size(), 30u);
    EXPECT_EQ(json[0]["id"], layouts[0].id);
    EXPECT_EQ(json[0]["thumbnailWidthPopup"], "120");
    EXPECT_EQ(json[0]["rowNumbersColumnCheckbox"], true);
    EXPECT_EQ(json[0]["metadataColumnCheckbox"], true);
    EXPECT_EQ(json[0]["roleColumnCheckbox"], false);
    EXPECT_EQ(layoutsFromJson(json), layouts);

    // A lower-case id and an unknown key: read back as written, the id in upper case again.
    std::vector<LayoutsItem> original = layouts;
    original[0].id = "0F1E2D3C-4B5A-4978-8877-665544332211";
    nlohmann::json other = layoutsToJson(original);
    other[0]["id"] = "0f1e2d3c-4b5a-4978-8877-665544332211";
    other[0]["comment"] = "kept by another version";
    EXPECT_EQ(layoutsFromJson(other), original);
}

struct DamageCase {
    const char* name;
    std::function<void(nlohmann::json&)> damage;
};

class DamagedLayoutsJson : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedLayoutsJson, FailsAsAWhole) {
    nlohmann::json json = layoutsToJson(twoLayouts());
    GetParam().damage(json);
    EXPECT_THROW(layoutsFromJson(json), std::runtime_error);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedLayoutsJson,
    ::testing::Values(DamageCase{"missingName", [](nlohmann::json& j) { j[0].erase("name"); }},
                      DamageCase{"flagAsNumber", [](nlohmann::json& j) { j[1]["reelColumnCheckbox"] = 1; }},
                      DamageCase{"widthAsNumber", [](nlohmann::json& j) { j[0]["thumbnailWidthPopup"] = 40; }},
                      DamageCase{"idNotUuid", [](nlohmann::json& j) { j[0]["id"] = "not-a-uuid"; }},
                      DamageCase{"idBadDigit", [](nlohmann::json& j) {
                                     j[0]["id"] = "G2345678-1234-1234-1234-123456789012";
                                 }},
                      DamageCase{"notArray", [](nlohmann::json& j) { j = nlohmann::json::object(); }},
                      DamageCase{"layoutNotObject", [](nlohmann::json& j) { j[0] = "Edit"; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LayoutsFile, WritesCompactJsonAndReadsItBackInOrder) {
    TemporaryFolder temporary;
    const fs::path folder = temporary.path() / "not" / "yet" / "there";
    std::ostringstream log;
    LayoutsFile file(folder, log);
    EXPECT_TRUE(file.load().empty());
    const std::vector<LayoutsItem> layouts = twoLayouts();
    // The folders it makes are closed to others whatever the umask.
    const mode_t before = ::umask(0);
    EXPECT_EQ(file.update(assign(layouts)), layouts);
    ::umask(before);
    for (const fs::path& made : {folder.parent_path().parent_path(), folder.parent_path(), folder}) {
        EXPECT_EQ(fs::status(made).permissions(), fs::perms(0755)) << made;
    }
    const std::string text = readText(folder / "Layouts.json");
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(text), layoutsToJson(layouts));
    EXPECT_THAT(log.str(), HasSubstr("Saved to " + (folder / "Layouts.json").string()));
    // Nothing but the file is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    std::ostringstream nextLog;
    LayoutsFile next(folder, nextLog);
    EXPECT_EQ(next.load(), layouts);
    EXPECT_THAT(nextLog.str(), HasSubstr("Loaded layoutsArray: "));
}

class UnreadableLayoutsFile : public ::testing::TestWithParam<std::string> {};

TEST_P(UnreadableLayoutsFile, IsKeptAsideBeforeTheNextWrite) {
    TemporaryFolder temporary;
    const fs::path path = temporary.path() / "Layouts.json";
    writeText(path, GetParam());
    std::ostringstream log;
    LayoutsFile file(temporary.path(), log);
    EXPECT_TRUE(file.load().empty());
    EXPECT_FALSE(log.str().empty());
    // Loading alone changes nothing on disk.
    EXPECT_EQ(readText(path), GetParam());
    const std::vector<LayoutsItem> layouts = twoLayouts();
    file.update(assign(layouts));
    EXPECT_EQ(readText(temporary.path() / "Layouts.json.unreadable"), GetParam());
    EXPECT_EQ(layoutsFromJson(nlohmann::json::parse(readText(path))), layouts);
    // Only the first write sets the old file aside.
    file.update(assign({}));
    EXPECT_EQ(readText(temporary.path() / "Layouts.json.unreadable"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Contents, UnreadableLayoutsFile,
                         ::testing::Values("", "not json", "[{\"name\":\"Edit\"}]", "{\"layouts\":[]}", "[1, 2"));

// A folder where the file should be is said as such, and so is why it cannot be kept aside.
TEST(LayoutsFile, AFolderInTheFilesPlaceIsSaidWithTheSystemsReason) {
    TemporaryFolder temporary;
    fs::create_directories(temporary.path() / "Layouts.json" / "inner");
    writeText(temporary.path() / "Layouts.json.unreadable", "older");
    std::ostringstream log;
    LayoutsFile file(temporary.path(), log);
    EXPECT_TRUE(file.load().empty());
    EXPECT_THAT(log.str(), HasSubstr("Is a directory"));
    file.update(assign(twoLayouts()));
    EXPECT_THAT(log.str(), HasSubstr("cannot be kept aside: "));
    EXPECT_THAT(log.str(), Not(HasSubstr("cannot be kept aside: Success")));
    EXPECT_EQ(readText(temporary.path() / "Layouts.json.unreadable"), "older");
}

// What is no layouts file at the file's name (a pipe, a device, a file larger than any layouts)
// is said in one line at once, and set aside at the next write. Each row runs in a child the
// tests' patience bounds: a read that lost its bound fails the row instead of holding it.
TEST(LayoutsFile, WhatIsNoLayoutsFileIsSaidAtOnce) {
    const struct {
        const char* name;
        std::function<void(const fs::path&)> make;
        std::string says;
    } rows[] = {{"a pipe", [](const fs::path& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); },
                 "cannot be opened: It is a pipe, not a layouts file."},
                {"a link to an endless device", [](const fs::path& at) { fs::create_symlink("/dev/zero", at); },
                 "cannot be opened: It is a device, not a layouts file."},
                // Its opening fails before the file's kind can be looked at.
                {"a socket",
                 [](const fs::path& at) { ASSERT_TRUE(test::makeSocketFile(at)); },
                 "cannot be opened: It is a socket, not a layouts file."},
                {"larger than any layouts",
                 [](const fs::path& at) { writeText(at, layoutsToJson(twoLayouts()).dump() + std::string(17 << 20, ' ')); },
                 "cannot be read: It is larger than 16 MiB."}};
    for (const auto& row : rows) {
        TemporaryFolder temporary;
        const fs::path path = temporary.path() / "Layouts.json";
        row.make(path);
        test::runBounded(row.name, [&] {
            std::ostringstream log;
            LayoutsFile file(temporary.path(), log);
            EXPECT_TRUE(file.load().empty()) << row.name;
            EXPECT_EQ(log.str(), debugQuoted("The file " + path.string() + " " + row.says) + "\n") << row.name;
            file.update(assign(twoLayouts()));
            EXPECT_EQ(layoutsFromJson(nlohmann::json::parse(readText(path))).size(), 2u) << row.name;
            EXPECT_TRUE(fs::exists(fs::symlink_status(temporary.path() / "Layouts.json.unreadable"))) << row.name;
        });
    }
}

// A change that cannot be written is one line, with the system's reason, and the program goes
// on with it. A run as root never writes in a folder another user controls, nor makes one in
// their home, wherever the names on the way lead. Each row runs in a child the tests' patience
// bounds.
TEST(LayoutsFile, WriteFailureIsOneLineAndTheProgramGoesOn) {
    TemporaryFolder temporary;
    const fs::path home = temporary.path() / "home";
    const fs::path support = temporary.path() / "support";
    const fs::path link = temporary.path() / "link";
    bool mounted = false;
    const auto unmount = [&] {
        if (mounted) ::umount2(home.c_str(), MNT_DETACH);
        mounted = false;
    };
    // However the test ends.
    const std::unique_ptr<bool, std::function<void(bool*)>> unmountAtEnd(&mounted, [&](bool*) { unmount(); });
    const auto usersOwn = [](const fs::path& name) { return ::lchown(name.c_str(), 65534, 65534) == 0; };
    // The user as whoever typed sudo knows them.
    const std::string byUser = "is controlled by " + test::userSaid(65534) + ": a run as root writes nothing there.";
    const struct {
        const char* name;
        fs::path folder;
        std::function<bool()> arrange;  // false where it cannot be set up here
        std::string says;
    } rows[] = {
        // A file where the folder should be: the folder cannot be made, whoever runs the test.
        {"a file in the folder's place", support, [&] { return writeText(support, "not a folder"), true; },
         "cannot be created: Not a directory"},
        {"a link to nothing on the way", link / "Tallyvane",
         [&] { return fs::create_symlink(temporary.path() / "nowhere", link), true; }, "cannot be created: Not a directory"},
        {"a folder the user may not write in", home / "Tallyvane",
         [&] { return fs::create_directories(home), fs::permissions(home, fs::perms(0555)), geteuid() != 0; },
         "cannot be created: Permission denied"},
        {"a read-only file system, as root", home / "Tallyvane",
         [&] {
             fs::create_directories(home);
             mounted = geteuid() == 0 && ::mount("tmpfs", home.c_str(), "tmpfs", MS_RDONLY, "size=16k,mode=0755") == 0;
             return mounted;
         },
         "cannot be created: Read-only file system"},
        {"another user's folder, as root", home / "Tallyvane",
         [&] {
             fs::create_directories(home / "Tallyvane");
             return geteuid() == 0 && chown(home.c_str(), 65534, 65534) == 0 &&
                    chown((home / "Tallyvane").c_str(), 65534, 65534) == 0;
         },
         byUser},
        {"another user's home without the folder yet, as root", home / ".local" / "share" / "Tallyvane",
         [&] { return fs::create_directories(home), geteuid() == 0 && chown(home.c_str(), 65534, 65534) == 0; },
         byUser},
        // Others may take the name first, or plant one inside, even where root owns the folder.
        {"root's folder others may write, as root", home,
         [&] { return fs::create_directories(home), fs::permissions(home, fs::perms(01777)), geteuid() == 0; },
         "is controlled by other users: a run as root writes nothing there."},
        {"a folder yet to be made in a sticky one others may write, as root", home / "Tallyvane",
         [&] { return fs::create_directories(home), fs::permissions(home, fs::perms(01777)), geteuid() == 0; },
         "is controlled by other users: a run as root writes nothing there."},
        // The group bits show the ACL's mask, and the group is root's.
        {"root's folder an ACL lets another user write, as root", home,
         [&] {
             fs::create_directories(home);
             const std::unique_ptr<void, int (*)(void*)> acl(acl_from_text("u::rwx,u:65534:rwx,g::r-x,m::rwx,o::r-x"),
                                                             acl_free);
             return geteuid() == 0 && acl && acl_set_file(home.c_str(), ACL_TYPE_ACCESS, static_cast<acl_t>(acl.get())) == 0;
         },
         "is controlled by other users: a run as root writes nothing there."},
        // The user may swap the folder the link leads into for one of their own.
        {"root's link to root's folder inside another user's, as root", link,
         [&] {
             fs::create_directories(home / "inner");
             fs::create_directory_symlink(home / "inner", link);
             return geteuid() == 0 && chown(home.c_str(), 65534, 65534) == 0;
         },
         byUser},
        // Only the link in the middle lies in the user's folder; the path resolves to root's.
        {"root's link through root's link in another user's folder to root's folder, as root", link,
         [&] {
             fs::create_directories(home);
             fs::create_directories(support);
             fs::create_directory_symlink(support, home / "middle");
             fs::create_directory_symlink(home / "middle", link);
             return geteuid() == 0 && chown(home.c_str(), 65534, 65534) == 0;
         },
         byUser},
        // The system reaches ".." from where the user's link leads, not from the link's name:
        // the user decides, at every moment, where the path ends.
        {"root's link through another user's link and \"..\", as root", link,
         [&] {
             fs::create_directories(home / "a");
             fs::create_directories(support / "sup");
             fs::create_directory_symlink("a", home / "x");
             fs::create_directory_symlink("home/x/../../support/sup", link);
             return geteuid() == 0 && usersOwn(home) && usersOwn(home / "x");
         },
         byUser},
        // Root's own, to a file: judged name by name, with no more looks than names.
        {"root's own chain of 30 links, 20 of them to \".\", to a file, as root", support / "c0",
         [&] {
             fs::create_directories(support);
             fs::create_directory_symlink(".", support / "dot");
             for (int at = 0; at < 10; ++at) {
                 fs::create_symlink(at < 9 ? "dot/dot/c" + std::to_string(at + 1) : "dot/dot/end",
                                    support / ("c" + std::to_string(at)));
             }
             writeText(support / "end", "not a folder");
             return geteuid() == 0;
         },
         "cannot be created: Not a directory"},
    };
    std::string notArranged;
    for (const auto& row : rows) {
        unmount();
        for (const fs::path& made : {home, support, link}) fs::remove_all(made);
        if (!row.arrange()) {
            notArranged += std::string(" \"") + row.name + "\"";
            continue;
        }
        test::runBounded(row.name, [&] {
            const std::set<fs::path> before(fs::recursive_directory_iterator(temporary.path()), {});
            std::ostringstream log;
            LayoutsFile file(row.folder, log);
            EXPECT_TRUE(file.load().empty()) << row.name;
            // The program goes on with the changed layouts for the run.
            const std::vector<LayoutsItem> layouts = twoLayouts();
            EXPECT_EQ(file.update(assign(layouts)), layouts) << row.name;
            EXPECT_THAT(log.str(), HasSubstr("Error saving file: ")) << row.name;
            EXPECT_THAT(log.str(), HasSubstr(row.says)) << row.name;
            EXPECT_EQ(std::set<fs::path>(fs::recursive_directory_iterator(temporary.path()), {}), before) << row.name;
        });
    }
    if (!notArranged.empty()) GTEST_SKIP() << "cannot be set up here:" << notArranged;
}

}  // namespace
}  // namespace tallyvane
