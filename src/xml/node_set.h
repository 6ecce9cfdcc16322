#pragma once
// The ordered nodes of an XPath result, handed out as element handles.

#include "xml/xml_element.h"

#include <libxml/xpath.h>

#include <cstddef>
#include <iterator>
#include <memory>
#include <optional>

namespace tallyvane {

class NodeSet {
public:
    class Iterator {
    public:
        using iterator_concept = std::forward_iterator_tag;
        using iterator_category = std::input_iterator_tag;
        using value_type = XMLElement;
        using difference_type = std::ptrdiff_t;
        using reference = XMLElement;

        Iterator() = default;
        XMLElement operator*() const { return (*set_)[index_]; }
        Iterator& operator++() { ++index_; return *this; }
        Iterator operator++(int) { Iterator before = *this; ++index_; return before; }
        bool operator==(const Iterator& other) const { return index_ == other.index_; }

    private:
        friend class NodeSet;
        Iterator(const NodeSet* set, std::size_t index) : set_(set), index_(index) {}
        const NodeSet* set_ = nullptr;
        std::size_t index_ = 0;
    };

    // The empty set: what a failed non-throwing query gives.
    NodeSet() = default;
    explicit NodeSet(std::shared_ptr<const detail::XPathResult> result);

    std::size_t count() const;
    bool isEmpty() const { return count() == 0; }
    std::optional<XMLElement> first() const;
    // Throws std::out_of_range outside 0 ..< count.
    XMLElement operator[](std::size_t index) const;

    // Iteration does not read or move the cursor.
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, count()); }

    // The element at the cursor, or absent past the end; the cursor moves on either way.
    std::optional<XMLElement> next();
    std::size_t cursor() const { return cursor_; }
    void setCursor(std::size_t cursor) { cursor_ = cursor; }

private:
    const xmlNodeSet* nodes() const;

    std::shared_ptr<const detail::XPathResult> result_;
    std::size_t cursor_ = 0;
};

}  // namespace tallyvane
