#include "reader/child_elements.h"

#include <algorithm>

#include "xml/node_access.h"

namespace tallyvane {

namespace {

// Straight from the tree: handles are made only for the children that match.
bool tagged(const xmlNode* node, Tags tags) {
    if (node->type != XML_ELEMENT_NODE) return false;
    return std::any_of(tags.begin(), tags.end(), [&](std::string_view tag) { return detail::isNamed(node->name, tag); });
}

void appendChildren(const XMLElement& element, Tags tags, std::vector<XMLElement>& result) {
    for (xmlNodePtr child = element.cNode()->children; child != nullptr; child = child->next) {
        if (tagged(child, tags)) result.push_back(element.relative(child));
    }
}

}  // namespace

bool hasTag(const XMLElement& element, std::string_view tag) {
    const xmlNode* node = element.cNode();
    return node->type == XML_ELEMENT_NODE && detail::isNamed(node->name, tag);
}

std::vector<XMLElement> childElements(const XMLElement& element, Tags tags) {
    std::vector<XMLElement> result;
    appendChildren(element, tags, result);
    return result;
}

std::vector<XMLElement> childElements(const XMLElement& element, std::string_view parentTag, Tags tags) {
    std::vector<XMLElement> result;
    for (const XMLElement& child : childElements(element, {parentTag})) appendChildren(child, tags, result);
    return result;
}

std::vector<XMLElement> childElements(const std::vector<XMLElement>& elements, Tags tags) {
    std::vector<XMLElement> result;
    for (const XMLElement& element : elements) appendChildren(element, tags, result);
    return result;
}

std::vector<std::vector<XMLElement>> childElementsByTag(const std::vector<XMLElement>& parents, Tags tags) {
    std::vector<std::vector<XMLElement>> lists(tags.size());
    for (const XMLElement& parent : parents) {
        for (xmlNodePtr child = parent.cNode()->children; child != nullptr; child = child->next) {
            if (child->type != XML_ELEMENT_NODE || child->name == nullptr) continue;
            const std::string_view name(reinterpret_cast<const char*>(child->name));
            const auto found = std::find(tags.begin(), tags.end(), name);
            if (found == tags.end()) continue;
            lists[static_cast<std::size_t>(found - tags.begin())].push_back(parent.relative(child));
        }
    }
    return lists;
}

std::optional<XMLElement> firstChildElement(const XMLElement& element, Tags tags) {
    for (xmlNodePtr child = element.cNode()->children; child != nullptr; child = child->next) {
        if (tagged(child, tags)) return element.relative(child);
    }
    return std::nullopt;
}

}  // namespace tallyvane
