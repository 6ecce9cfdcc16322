#include "reader/roles.h"

#include <cassert>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <ostream>

#include "model/asset.h"
#include "common/debug_text.h"
#include "reader/child_elements.h"
#include "reader/text_extensions.h"
#include "xml/node_access.h"
#include "xml/xml_element.h"

namespace tallyvane {

namespace {

constexpr std::string_view kRoleSeparator = " \u25B8 ";

std::string capitalizedWhenLowercase(const std::string& text, WordCapitalizer& capitalized) {
    return isEntirelyLowercase(text) ? capitalized(text) : text;
}

std::string rawVideoRole(const XMLElement& element, std::string_view tag) {
    if (tag == "caption") {
        const std::optional<std::string> role = element.attr("role");
        if (!role) return "Video";
        // "iTT?captionFormat=ITT.en" names the role after the last "=".
        const std::vector<std::string> parts = componentsNonEmpty(*role, "=");
        return parts.empty() ? std::string() : parts.back();
    }
    if (tag == "gap") return "Gap";
    if (tag == "title") return "Titles";
    if (auto role = element.attr("videoRole")) return *role;
    if (auto role = element.attr("role")) return *role;
    if (const std::optional<XMLElement> video = firstChildElement(element, {"video"})) {
        if (auto role = video->attr("role")) return *role;
    }
    return "Video";
}

std::string videoRole(const XMLElement& element, std::string_view tag, const Asset* asset,
                      WordCapitalizer& capitalized) {
    if (tag == "transition") return "";
    if (asset != nullptr && asset->category() == Asset::Category::Audio) return "";
    const std::vector<std::string> parts = componentsNonEmpty(rawVideoRole(element, tag), ".");
    if (parts.empty()) return "";
    if (parts.size() == 1) return capitalized(parts.front());
    const std::string main = capitalizedWhenLowercase(parts.front(), capitalized);
    const std::string sub = capitalizedWhenLowercase(parts.back(), capitalized);
    if (sub == main + "-1") return main;
    return main + std::string(kRoleSeparator) + sub;
}

void appendRole(const XMLElement& source, std::vector<std::string>& roles) {
    if (auto role = source.attr("role")) roles.push_back(std::move(*role));
}

using Paths = std::initializer_list<std::initializer_list<std::string_view>>;

// The elements at the end of the paths below the node, in document order, as the union of
// the paths ("audio | video/audio") would list them. `live` marks, one bit per path, the
// paths that led to the node. Walked in the tree itself: handles are made only for the
// elements whose roles are read.
void collectRoles(xmlNodePtr node, const XMLElement& origin, Paths paths, std::uint32_t live, std::size_t depth,
                  std::vector<std::string>& roles) {
    for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        std::uint32_t deeper = 0;
        std::uint32_t bit = 1;
        for (const auto& path : paths) {
            if ((live & bit) != 0 && depth < path.size() && detail::isNamed(child->name, path.begin()[depth])) {
                if (depth + 1 == path.size()) {
                    appendRole(origin.relative(child), roles);
                } else {
                    deeper |= bit;
                }
            }
            bit <<= 1;
        }
        if (deeper != 0) collectRoles(child, origin, paths, deeper, depth + 1, roles);
    }
}

std::vector<std::string> rolesAlong(const XMLElement& element, Paths paths) {
    assert(paths.size() <= 32);
    std::vector<std::string> roles;
    collectRoles(element.cNode(), element, paths, ~std::uint32_t{0}, 0, roles);
    return roles;
}

// The connected source's audio roles that are not switched off.
std::vector<std::string> connectedRoles(const XMLElement& element) {
    std::vector<std::string> roles;
    for (const XMLElement& source : childElements(element, {"sync-source"})) {
        if (source.attrText("sourceID") != "connected") continue;
        for (const XMLElement& roleSource : childElements(source, {"audio-role-source"})) {
            if (roleSource.attrText("active") != "0") appendRole(roleSource, roles);
        }
    }
    return roles;
}

}  // namespace

ResolvedRoles resolveRoles(const XMLElement& element, const Asset* asset, std::ostream& log) {
    WordCapitalizer capitalized;
    return resolveRoles(element, asset, capitalized, log);
}

ResolvedRoles resolveRoles(const XMLElement& element, const Asset* asset, WordCapitalizer& capitalized,
                           std::ostream& log) {
    // A stream in a failed state writes nothing, so the markup is not made for it.
    if (log) log << element.rawXML() << '\n';
    const std::string tag = element.tag().value_or("");
    ResolvedRoles roles;
    roles.videoRole = videoRole(element, tag, asset, capitalized);

    // The last source that names any audio role wins: "audioRole", the audio children,
    // the audio channel sources, the connected audio role sources.
    if (tag == "ref-clip" || tag == "mc-clip" || tag == "sync-clip") roles.audioRole = "Dialogue";
    std::vector<std::string> list;
    if (const std::optional<std::string> audioRole = element.attr("audioRole")) {
        const std::vector<std::string> parts = componentsNonEmpty(*audioRole, ".");
        if (parts.size() >= 2) {
            // Already "main.sub": doubling it up would make a role of four parts.
            roles.audioRole = capitalized(parts.front());
            list = {*audioRole};
        } else {
            roles.audioRole = capitalized(*audioRole);
            list = {roles.audioRole + "." + roles.audioRole + "-1"};
        }
        if (log) log << roles.audioRole << ' ' << debugList(list) << '\n';
    }
    std::vector<std::string> children = rolesAlong(element, {{"audio"}, {"video", "audio"}});
    for (std::string& role : rolesAlong(element, {{"audio", "audio"}})) children.push_back(std::move(role));
    if (!children.empty()) list = std::move(children);
    const std::vector<std::string> channelSources = rolesAlong(
        element, {{"audio-channel-source"}, {"audio", "audio-channel-source"}, {"video", "audio", "audio-channel-source"}});
    if (log) log << "audio-channel-source roles: acs_roles = " << debugList(channelSources) << '\n';
    if (!channelSources.empty()) list = channelSources;
    std::vector<std::string> connected = connectedRoles(element);
    if (!connected.empty()) list = std::move(connected);

    if (!list.empty()) {
        std::optional<std::string> main;
        for (const std::string& text : list) {
            const std::vector<std::string> parts = componentsNonEmpty(text, ".");
            if (parts.size() == 2) {
                main = capitalized(parts[0]);
                roles.audioSubroles.push_back(capitalized(parts[1]));
            } else if (parts.size() == 1) {
                main = capitalized(parts[0]);
            }
        }
        roles.audioRole = main.value_or(list.back());
    }
    if (tag == "transition") roles.audioSubroles.clear();
    if (roles.audioRole.empty() && asset != nullptr &&
        (asset->category() == Asset::Category::AV || asset->category() == Asset::Category::Audio)) {
        log << "I DIDN'T FIND ANY AUDIO WITH ROLES\n";
        roles.audioRole = "Dialogue";
        roles.audioSubroles.clear();
    }
    return roles;
}

}  // namespace tallyvane
