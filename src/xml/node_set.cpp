#include "xml/node_set.h"

#include "xml/node_internals.h"
#include "xml/xpath_result.h"

#include <stdexcept>
#include <string>

namespace tallyvane {

NodeSet::NodeSet(std::shared_ptr<const detail::XPathResult> result) : result_(std::move(result)) {}

const xmlNodeSet* NodeSet::nodes() const {
    if (!result_) return nullptr;
    const xmlNodeSet* nodes = result_->object().nodesetval;  // null for number, text and truth results
    return nodes != nullptr && nodes->nodeTab != nullptr ? nodes : nullptr;
}

std::size_t NodeSet::count() const {
    const xmlNodeSet* set = nodes();
    return set != nullptr && set->nodeNr > 0 ? static_cast<std::size_t>(set->nodeNr) : 0;
}

std::optional<XMLElement> NodeSet::first() const {
    if (isEmpty()) return std::nullopt;
    return (*this)[0];
}

XMLElement NodeSet::operator[](std::size_t index) const {
    if (index >= count()) {
        throw std::out_of_range("NodeSet: index " + std::to_string(index) + " of " + std::to_string(count()));
    }
    xmlNodePtr node = nodes()->nodeTab[index];
    // Namespace nodes are copies owned by the result; other nodes belong to the tree.
    std::shared_ptr<const detail::XPathResult> owner = node->type == XML_NAMESPACE_DECL ? result_ : nullptr;
    return detail::NodeMaker::element(result_->document(), node, std::move(owner));
}

std::optional<XMLElement> NodeSet::next() {
    std::size_t position = cursor_++;
    if (position >= count()) return std::nullopt;
    return (*this)[position];
}

}  // namespace tallyvane
