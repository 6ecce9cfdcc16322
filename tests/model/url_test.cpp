#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/url.h"

namespace tallyvane {
namespace {

TEST(UrlTest, PathOfTheLocation) {
    struct Case {
        std::string text;
        std::string path;
    };
    const std::vector<Case> cases{
        {"file:///Volumes/Media/A%20001.mov", "/Volumes/Media/A 001.mov"},
        {"file://localhost/Users/a/clip.mov", "/Users/a/clip.mov"},
        {"file:///Users/a/Caf%C3%A9%2Fx.mov", "/Users/a/Caf\u00e9/x.mov"},
        {"file:///Users/a/folder/", "/Users/a/folder"},
        {"file:///", "/"},
        {"https://example.com/media/a.mp4?x=1#t", "/media/a.mp4"},
        {"https://example.com", ""},
        {"file:///a/100%25%2", "/a/100%%2"},
        {"file:///a/%zz%4", "/a/%zz%4"},
        {"file:///a/%%41", "/a/%A"},
        {"relative/clip.mov", "relative/clip.mov"},
        {"C:%5Cclip.mov", "\\clip.mov"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Url(c.text).path(), c.path) << c.text;
}

}  // namespace
}  // namespace tallyvane
