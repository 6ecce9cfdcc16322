#include "reader/identifiers.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace tallyvane {
namespace {

TEST(Identifiers, AreVersionFourUUIDsAfterThePrefixAndDoNotRepeat) {
    const std::regex form("[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}");
    std::set<std::string> seen;
    for (const char* prefix : {"", "as-", "vf-"}) {
        for (int i = 0; i < 200; ++i) {
            const std::string identifier = newIdentifier(prefix);
            ASSERT_TRUE(identifier.starts_with(prefix)) << identifier;
            EXPECT_TRUE(std::regex_match(identifier.substr(std::string(prefix).size()), form)) << identifier;
            EXPECT_TRUE(seen.insert(identifier).second) << identifier;
        }
    }
    EXPECT_TRUE(newVideoFormatID().starts_with("vf-"));
}

}  // namespace
}  // namespace tallyvane
