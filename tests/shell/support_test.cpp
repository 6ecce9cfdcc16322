#include <iterator>
#include <optional>
#include <map>
#include <string>
#include <string_view>

#include <unistd.h>

#include <gtest/gtest.h>

#include "shell/pro_video_formats.h"
#include "shell/support_folder.h"
#include "shell/support_mail.h"
#include "support/temporary_folder.h"
#include "support/named_case.h"

namespace tallyvane {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;

struct FolderCase {
    const char* name;
    std::map<std::string, std::string> environment;
    std::optional<fs::path> folder;
};

class SupportFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(SupportFolder, FollowsTheEnvironment) {
    const auto& environment = GetParam().environment;
    const EnvironmentLookup lookup = [&](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found == environment.end() ? nullptr : found->second.c_str();
    };
    EXPECT_EQ(locateSupportFolder(lookup), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, SupportFolder,
    ::testing::Values(
        FolderCase{"home", {{"HOME", "/home/u"}}, fs::path("/home/u/.local/share/Tallyvane")},
        FolderCase{"dataHome", {{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/data"}}, fs::path("/data/Tallyvane")},
        FolderCase{"relativeDataHomeIgnored",
                   {{"HOME", "/home/u"}, {"XDG_DATA_HOME", "data"}},
                   fs::path("/home/u/.local/share/Tallyvane")},
        FolderCase{"emptyDataHomeIgnored",
                   {{"HOME", "/home/u"}, {"XDG_DATA_HOME", ""}},
                   fs::path("/home/u/.local/share/Tallyvane")},
        FolderCase{"override",
                   {{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/data"}, {"TALLYVANE_SUPPORT_DIR", "/tmp/support"}},
                   fs::path("/tmp/support")},
        FolderCase{"emptyOverrideIgnored",
                   {{"HOME", "/home/u"}, {"TALLYVANE_SUPPORT_DIR", ""}},
                   fs::path("/home/u/.local/share/Tallyvane")},
        FolderCase{"relativeHomeIsNoHome", {{"HOME", "rel"}}, std::nullopt},
        FolderCase{"relativeHomeUnderADataHome", {{"HOME", "rel"}, {"XDG_DATA_HOME", "/data"}}, fs::path("/data/Tallyvane")},
        FolderCase{"nothing", {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// The shared temporary folder is never used as it is: another user could plant links or
// hold the lock there. A run's own folder is made only when asked for, and outlives the run
// only with what a report kept in it.
TEST(SupportFolder, WithoutAHomeTheWorkFolderIsPrivateToTheRunAndGoesWithIt) {
    test::TemporaryFolder shared;
    const std::string tmpdir = shared.path().string();
    const EnvironmentLookup lookup = [&](const char* name) -> const char* {
        return std::string_view(name) == "TMPDIR" ? tmpdir.c_str() : nullptr;
    };
    const auto entries = [&] { return std::distance(fs::directory_iterator(shared.path()), fs::directory_iterator()); };
    fs::path kept;
    {
        RunWorkFolder unused(lookup);
        RunWorkFolder first(lookup);
        RunWorkFolder second(lookup);
        EXPECT_EQ(first.parent(), shared.path());
        EXPECT_EQ(entries(), 0);
        EXPECT_EQ(first.path(), first.path());
        EXPECT_NE(first.path(), second.path());
        for (const fs::path& folder : {first.path(), second.path()}) {
            EXPECT_EQ(folder.parent_path(), shared.path());
            EXPECT_TRUE(fs::is_directory(fs::symlink_status(folder))) << folder;
            EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all) << folder;
            test::writeText(folder / ".report.lock", "");
        }
        kept = second.path();
        test::writeText(kept / "Thumbnails" / "000000000 Clip.jpg", "jpeg");
    }
    EXPECT_EQ(entries(), 1);
    EXPECT_TRUE(fs::exists(kept / "Thumbnails" / "000000000 Clip.jpg"));
    EXPECT_FALSE(fs::exists(kept / ".report.lock"));
}

// A runtime folder the toolkit would refuse counts as none: the run makes its own instead of
// letting the toolkit leave "runtime-USER" in the temporary folder. A run as root keeps the
// toolkit's settings and caches there too where another user controls the home.
TEST(SupportFolder, AnUnusableRuntimeFolderIsReplacedByOneOfTheRun) {
    test::TemporaryFolder shared;
    const fs::path usable = shared.path() / "usable";
    const fs::path open = shared.path() / "open";
    const fs::path others = shared.path() / "others";
    for (const fs::path& folder : {usable, open, others}) fs::create_directory(folder);
    fs::permissions(usable, fs::perms::owner_all);
    fs::permissions(open, fs::perms(0755));
    fs::permissions(others, fs::perms::owner_all);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(others.c_str(), 65534, 65534), 0);
    }
    const std::string tmpdir = (shared.path() / "tmp").string();
    fs::create_directory(tmpdir);
    const struct {
        const char* name;
        std::optional<std::string> given;
        bool replaced;
        std::optional<std::string> home = std::nullopt;
        bool settingsKeptOut = false;
    } rows[] = {
        {"usable, with another user's home", usable.string(), false, others.string(), root},
        {"usable, with root's home", usable.string(), false, usable.string(), false},
        {"unset", std::nullopt, true},
        {"usable", usable.string(), false},
        {"missing", (shared.path() / "missing").string(), true},
        {"open to others", open.string(), true},
        {"another user's", others.string(), root},
        {"relative", "usable", true},
        {"a link to a usable one", (shared.path() / "link").string(), true},
    };
    fs::create_directory_symlink(usable, shared.path() / "link");
    const char* variables[] = {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"};
    std::vector<std::optional<std::string>> saved;
    for (const char* variable : variables) {
        const char* before = ::getenv(variable);
        saved.push_back(before ? std::optional<std::string>(before) : std::nullopt);
    }
    for (const auto& row : rows) {
        const EnvironmentLookup lookup = [&](const char* name) -> const char* {
            if (std::string_view(name) == "TMPDIR") return tmpdir.c_str();
            if (std::string_view(name) == "XDG_RUNTIME_DIR" && row.given) return row.given->c_str();
            if (std::string_view(name) == "HOME" && row.home) return row.home->c_str();
            return nullptr;
        };
        for (const char* variable : variables) ::unsetenv(variable);
        {
            const RunRuntimeFolder runtime(lookup);
            const char* named = ::getenv("XDG_RUNTIME_DIR");
            EXPECT_EQ(named != nullptr, row.replaced) << row.name;
            if (named != nullptr) {
                EXPECT_EQ(fs::path(named).parent_path(), fs::path(tmpdir)) << row.name;
                EXPECT_EQ(fs::status(named).permissions() & fs::perms::all, fs::perms::owner_all) << row.name;
            }
            for (const char* settings : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
                const char* folder = ::getenv(settings);
                EXPECT_EQ(folder != nullptr, row.settingsKeptOut) << row.name << ": " << settings;
                if (folder != nullptr) {
                    EXPECT_EQ(fs::path(folder).parent_path().parent_path(), fs::path(tmpdir)) << row.name;
                }
            }
        }
        EXPECT_TRUE(fs::is_empty(tmpdir)) << row.name;
    }
    for (std::size_t index = 0; index < std::size(variables); ++index) {
        saved[index] ? ::setenv(variables[index], saved[index]->c_str(), 1) : ::unsetenv(variables[index]);
    }
}

TEST(SupportMail, PercentEncodesEverythingButUnreservedCharactersInTheUrl) {
    EXPECT_EQ(percentEncoded("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(percentEncoded("a b&c=d?\n"), "a%20b%26c%3Dd%3F%0A");
    EXPECT_EQ(percentEncoded("\u25B8"), "%E2%96%B8");
    // The address names the program and asks for the document.
    EXPECT_EQ(supportMailUrl("help@example.org", "tallyvane", "1.2.0"),
              "mailto:help@example.org?subject=Bug%20Report%20for%20tallyvane%20%28version%201.2.0%29"
              "&body=What%20went%20wrong%3F%0A%0A%0AAttached%20is%20the%20file%20that%20caused%20the%20problem%3A"
              "%0A%0A%0A");
}

// Debian's FFmpeg carries the ProRes and DNxHD decoders and the MXF demuxer.
TEST(ProVideoFormats, AreReadByTheMediaLibraryOfThisSystem) { EXPECT_TRUE(proVideoFormatsAvailable()); }

}  // namespace
}  // namespace tallyvane
