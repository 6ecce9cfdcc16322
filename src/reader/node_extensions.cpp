#include "reader/node_extensions.h"

namespace tallyvane {

namespace {

// Looking further would make the walk depend on how much text stands between siblings.
constexpr int kSiblingNodesLookedAt = 3;

template <class Step>
std::optional<XMLElement> nearestElementSibling(const XMLElement& element, Step step) {
    std::optional<XMLElement> node = step(element);
    for (int looked = 1; node && looked <= kSiblingNodesLookedAt; ++looked) {
        if (node->type() == XML_ELEMENT_NODE) return node;
        node = step(*node);
    }
    return std::nullopt;
}

}  // namespace

std::optional<XMLElement> previousElementSibling(const XMLElement& element) {
    return nearestElementSibling(element, [](const XMLElement& node) { return node.previousSibling(); });
}

std::optional<XMLElement> nextElementSibling(const XMLElement& element) {
    return nearestElementSibling(element, [](const XMLElement& node) { return node.nextSibling(); });
}

std::vector<XMLElement> elementsOf(const NodeSet& nodes) {
    std::vector<XMLElement> result;
    result.reserve(nodes.count());
    for (XMLElement node : nodes) result.push_back(std::move(node));
    return result;
}

std::optional<XMLElement> firstMatch(const XMLElement& element, std::string_view xpath) {
    return element.firstChildByXPath(xpath);
}

std::optional<std::string> tagName(const XMLElement& element) { return element.tag(); }

std::vector<XMLElement> xpath(const std::vector<XMLElement>& elements, std::string_view expression) {
    std::vector<XMLElement> result;
    for (const XMLElement& element : elements) {
        for (XMLElement found : element.xpath(expression)) result.push_back(std::move(found));
    }
    return result;
}

}  // namespace tallyvane
