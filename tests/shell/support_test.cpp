#include <map>
#include <string>

#include <gtest/gtest.h>

#include "shell/pro_video_formats.h"
#include "shell/support_folder.h"
#include "shell/support_mail.h"
#include "support/temporary_folder.h"

namespace tallyvane {
namespace {

namespace fs = std::filesystem;

struct FolderCase {
    const char* name;
    std::map<std::string, std::string> environment;
    std::optional<fs::path> folder;
    fs::path fallback;
};

class SupportFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(SupportFolder, FollowsTheEnvironment) {
    const auto& environment = GetParam().environment;
    const EnvironmentLookup lookup = [&](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found == environment.end() ? nullptr : found->second.c_str();
    };
    EXPECT_EQ(locateSupportFolder(lookup), GetParam().folder);
    if (!GetParam().fallback.empty()) {
        EXPECT_EQ(fallbackWorkFolder(lookup), GetParam().fallback);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Environments, SupportFolder,
    ::testing::Values(
        FolderCase{"home", {{"HOME", "/home/u"}}, fs::path("/home/u/.local/share/Tallyvane"), "/home/u/Desktop"},
        FolderCase{"dataHome", {{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/data"}}, fs::path("/data/Tallyvane"), ""},
        FolderCase{"relativeDataHomeIgnored",
                   {{"HOME", "/home/u"}, {"XDG_DATA_HOME", "data"}},
                   fs::path("/home/u/.local/share/Tallyvane"),
                   ""},
        FolderCase{"emptyDataHomeIgnored",
                   {{"HOME", "/home/u"}, {"XDG_DATA_HOME", ""}},
                   fs::path("/home/u/.local/share/Tallyvane"),
                   ""},
        FolderCase{"override",
                   {{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/data"}, {"TALLYVANE_SUPPORT_DIR", "/tmp/support"}},
                   fs::path("/tmp/support"),
                   ""},
        FolderCase{"emptyOverrideIgnored",
                   {{"HOME", "/home/u"}, {"TALLYVANE_SUPPORT_DIR", ""}},
                   fs::path("/home/u/.local/share/Tallyvane"),
                   ""},
        FolderCase{"nothing", {}, std::nullopt, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The shared temporary folder is never used as it is: another user could plant links or
// hold the lock there.
TEST(SupportFolder, WithoutAHomeTheWorkFolderIsPrivateToTheRun) {
    test::TemporaryFolder shared;
    const std::string tmpdir = shared.path().string();
    const EnvironmentLookup lookup = [&](const char* name) -> const char* {
        return std::string_view(name) == "TMPDIR" ? tmpdir.c_str() : nullptr;
    };
    const fs::path first = fallbackWorkFolder(lookup);
    const fs::path second = fallbackWorkFolder(lookup);
    EXPECT_NE(first, second);
    for (const fs::path& folder : {first, second}) {
        EXPECT_EQ(folder.parent_path(), shared.path());
        EXPECT_TRUE(fs::is_directory(fs::symlink_status(folder))) << folder;
        EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all) << folder;
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
