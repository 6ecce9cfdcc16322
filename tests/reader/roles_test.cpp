// Video roles, main audio roles and subroles of clip elements.

#include <gtest/gtest.h>

#include <cctype>

#include "model/asset.h"
#include "reader/roles.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

using testing::contains;
using Texts = std::vector<std::string>;

struct RoleCase {
    std::string clip;
    std::optional<Asset::Category> asset;
    std::string videoRole;
    std::string audioRole;
    Texts subroles;
};

void PrintTo(const RoleCase& row, std::ostream* out) { *out << row.clip; }

std::shared_ptr<Asset> assetOf(Asset::Category category) {
    return std::make_shared<Asset>("a", "a", 0.0, 0.0, "", nullptr, std::nullopt, false, false, false, false, "", "",
                                   "", category);
}

class Roles : public ::testing::TestWithParam<RoleCase> {
protected:
    testing::PassFixture fixture{testing::readerData("roles.fcpxml")};
};

TEST_P(Roles, AreResolvedFromTheElementAndItsAsset) {
    const RoleCase& c = GetParam();
    const XMLElement element = fixture.element("//*[@name='" + c.clip + "']");
    const std::shared_ptr<Asset> asset = c.asset ? assetOf(*c.asset) : nullptr;
    const ResolvedRoles roles = resolveRoles(element, asset.get(), fixture.log);
    EXPECT_EQ(roles.videoRole, c.videoRole);
    EXPECT_EQ(roles.audioRole, c.audioRole);
    EXPECT_EQ(roles.audioSubroles, c.subroles);
    EXPECT_TRUE(contains(fixture.printed(), element.rawXML() + "\n"));
}

using C = Asset::Category;
const std::string kArrow = " \u25B8 ";

INSTANTIATE_TEST_SUITE_P(
    Clips, Roles,
    ::testing::Values(
        RoleCase{"video role", C::Video, "Video", "", {}}, RoleCase{"vfx comp", C::Video, "VFX" + kArrow + "Comp", "", {}},
        RoleCase{"titles one", C::Video, "Titles", "", {}}, RoleCase{"upper case", C::Video, "DIALOGUE", "", {}},
        RoleCase{"no role", std::nullopt, "Video", "", {}},
        RoleCase{"video role attribute", std::nullopt, "B-Roll", "", {}},
        RoleCase{"video child", std::nullopt, "Graphics" + kArrow + "Lower-Thirds", "", {}},
        RoleCase{"empty role", std::nullopt, "", "", {}}, RoleCase{"dots", std::nullopt, "", "", {}},
        RoleCase{"two words", std::nullopt, "Sound Effects", "", {}},
        RoleCase{"title", std::nullopt, "Titles", "", {}}, RoleCase{"gap", std::nullopt, "Gap", "", {}},
        RoleCase{"transition", C::AV, "", "Music", {}},
        RoleCase{"caption", std::nullopt, "ITT" + kArrow + "En", "", {}},
        RoleCase{"caption without role", std::nullopt, "Video", "", {}},
        RoleCase{"caption ending in nothing", std::nullopt, "Itt?Captionformat", "", {}},
        RoleCase{"audio children", C::AV, "Video", "Music", {"Dialogue-1", "Music-2"}},
        RoleCase{"nested audio", std::nullopt, "Video", "Dialogue", {"Effects-1", "Dialogue-3"}},
        RoleCase{"audio role", C::Audio, "", "Effects", {"Effects-1"}},
        // Already holding its subrole, the role is not doubled into "Dialogue.dialogue-2.Dialogue...".
        RoleCase{"audio role with subrole", C::AV, "Video", "Dialogue", {"Dialogue-2"}},
        RoleCase{"audio role of three parts", std::nullopt, "Video", "a.b.c", {}},
        RoleCase{"audio role then children", std::nullopt, "Video", "Music", {}},
        RoleCase{"inactive connected", std::nullopt, "Video", "Dialogue", {"Boom", "Lav"}},
        RoleCase{"active connected", std::nullopt, "Video", "Effects", {"Score", "Foley"}},
        RoleCase{"sync without roles", std::nullopt, "Video", "Dialogue", {}},
        RoleCase{"multicam without roles", std::nullopt, "Video", "Dialogue", {}},
        RoleCase{"plain clip", C::AV, "Video", "Dialogue", {}}, RoleCase{"plain clip", C::Audio, "", "Dialogue", {}},
        RoleCase{"plain clip", C::Video, "Video", "", {}}, RoleCase{"plain clip", C::Image, "Video", "", {}},
        RoleCase{"odd list", std::nullopt, "Video", "-1", {}}),
    [](const auto& info) {
        std::string name = info.param.clip + "_" + std::to_string(info.index);
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    });

}  // namespace
}  // namespace tallyvane
