#pragma once
// Child selections by tag, the reader's most frequent queries, answered by walking the
// children instead of evaluating XPath: the same elements in the same (document) order
// as "a | b" or "p/a | p/b" would give, at a fraction of the cost per clip.
//
// A tag is an element's local name: the reader finds every element by it, whatever
// namespace the element stands in, so a document that declares a default namespace
// reads as the same document without one.

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include "xml/xml_element.h"

namespace tallyvane {

using Tags = std::initializer_list<std::string_view>;

// The element children whose tag is one of `tags` (exact text), in document order.
std::vector<XMLElement> childElements(const XMLElement& element, Tags tags);
// The same below each child tagged `parentTag`, the children's results one after the other.
std::vector<XMLElement> childElements(const XMLElement& element, std::string_view parentTag, Tags tags);
// The same for each element of the list, concatenated in list order.
std::vector<XMLElement> childElements(const std::vector<XMLElement>& elements, Tags tags);

// The children of each tag, one list per tag in the order of `tags`, found in one walk
// over the children of every parent in turn.
std::vector<std::vector<XMLElement>> childElementsByTag(const std::vector<XMLElement>& parents, Tags tags);
// The same with one list per group of tags: group i holds the children tagged with one of
// `groups[i]` (the first group naming a tag takes it), as `childElements(parents, groups[i])`
// would give them. One walk instead of one per group: on a long timeline each walk over the
// clips' children reaches memory that earlier walks have long left.
std::vector<std::vector<XMLElement>> childElementGroups(const std::vector<XMLElement>& parents,
                                                        std::initializer_list<Tags> groups);

std::optional<XMLElement> firstChildElement(const XMLElement& element, Tags tags);

// Asks the processor to fetch, while other work goes on, the memory the element and its
// attributes and first children are most likely in: the parser made them one after the
// other. A long timeline's tree is far larger than the caches, and a clip's nodes
// otherwise arrive one cache miss at a time as each is first read.
void prefetchElement(const XMLElement& element);

// Calls `read` with each element in turn, the next one's memory already on its way.
template <class Read>
void readPrefetchingNext(const std::vector<XMLElement>& elements, Read read) {
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i + 1 < elements.size()) prefetchElement(elements[i + 1]);
        read(elements[i]);
    }
}

// Whether the element's tag is that text, read without making a copy of it.
bool hasTag(const XMLElement& element, std::string_view tag);

// Whether the element has the attribute (an empty one counts).
inline bool hasAttribute(const XMLElement& element, std::string_view name) { return element.attrText(name).has_value(); }

}  // namespace tallyvane
