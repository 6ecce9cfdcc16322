#include "reader/child_elements.h"

#include <algorithm>
#include <string>

namespace tallyvane {

namespace {

bool tagged(const XMLElement& element, Tags tags) {
    const std::optional<std::string> tag = element.tag();
    return tag && std::find(tags.begin(), tags.end(), std::string_view(*tag)) != tags.end();
}

void appendChildren(const XMLElement& element, Tags tags, std::vector<XMLElement>& result) {
    for (XMLElement child : element.children()) {
        if (tagged(child, tags)) result.push_back(std::move(child));
    }
}

}  // namespace

std::vector<XMLElement> childElements(const XMLElement& element, Tags tags) {
    std::vector<XMLElement> result;
    appendChildren(element, tags, result);
    return result;
}

std::vector<XMLElement> childElements(const XMLElement& element, std::string_view parentTag, Tags tags) {
    std::vector<XMLElement> result;
    for (const XMLElement& child : element.children()) {
        if (child.tag() == parentTag) appendChildren(child, tags, result);
    }
    return result;
}

std::vector<XMLElement> childElements(const std::vector<XMLElement>& elements, Tags tags) {
    std::vector<XMLElement> result;
    for (const XMLElement& element : elements) appendChildren(element, tags, result);
    return result;
}

std::optional<XMLElement> firstChildElement(const XMLElement& element, Tags tags) {
    for (XMLElement child : element.children()) {
        if (tagged(child, tags)) return child;
    }
    return std::nullopt;
}

}  // namespace tallyvane
