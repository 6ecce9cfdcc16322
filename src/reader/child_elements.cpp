#include "reader/child_elements.h"

#include <algorithm>
#include <cstdint>

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

// One prefetch per cache line of the range, unrolled: the count is fixed and the loop
// would cost as much again as the prefetches. Addresses, not pointers into objects, as
// the range runs past the node on purpose.
template <std::uintptr_t Bytes>
void prefetchRange(const void* start) {
    constexpr std::uintptr_t kLine = 64;
    const auto from = reinterpret_cast<std::uintptr_t>(start);
#pragma GCC unroll 128
    for (std::uintptr_t at = 0; at < Bytes; at += kLine) __builtin_prefetch(reinterpret_cast<const void*>(from + at));
}

}  // namespace

void prefetchElement(const XMLElement& element) {
    // The element, then each attribute's value and the first children, follow one another
    // in the parser's allocations; the attribute nodes themselves are kept apart by size.
    prefetchRange<8192>(element.cNode());
    if (element.cNode()->properties != nullptr) prefetchRange<2048>(element.cNode()->properties);
}

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

namespace {

// One walk over the children of every parent in turn, each child that `groupOf` places
// (an index below `count`) appended to that group's list.
template <class GroupOf>
std::vector<std::vector<XMLElement>> sortedChildren(const std::vector<XMLElement>& parents, std::size_t count,
                                                    GroupOf groupOf) {
    std::vector<std::vector<XMLElement>> lists(count);
    readPrefetchingNext(parents, [&](const XMLElement& parent) {
        for (xmlNodePtr child = parent.cNode()->children; child != nullptr; child = child->next) {
            if (child->type != XML_ELEMENT_NODE || child->name == nullptr) continue;
            const std::size_t group = groupOf(std::string_view(reinterpret_cast<const char*>(child->name)));
            if (group < count) lists[group].push_back(parent.relative(child));
        }
    });
    return lists;
}

}  // namespace

std::vector<std::vector<XMLElement>> childElementsByTag(const std::vector<XMLElement>& parents, Tags tags) {
    return sortedChildren(parents, tags.size(), [&](std::string_view name) {
        return static_cast<std::size_t>(std::find(tags.begin(), tags.end(), name) - tags.begin());
    });
}

std::vector<std::vector<XMLElement>> childElementGroups(const std::vector<XMLElement>& parents,
                                                        std::initializer_list<Tags> groups) {
    return sortedChildren(parents, groups.size(), [&](std::string_view name) {
        const auto holds = [&](Tags tags) { return std::find(tags.begin(), tags.end(), name) != tags.end(); };
        return static_cast<std::size_t>(std::find_if(groups.begin(), groups.end(), holds) - groups.begin());
    });
}

std::optional<XMLElement> firstChildElement(const XMLElement& element, Tags tags) {
    for (xmlNodePtr child = element.cNode()->children; child != nullptr; child = child->next) {
        if (tagged(child, tags)) return element.relative(child);
    }
    return std::nullopt;
}

}  // namespace tallyvane
