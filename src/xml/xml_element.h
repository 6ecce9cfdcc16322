#pragma once
// A node handle with element operations. Query results, relatives and children may be
// handed out as elements whatever their kind; element-only reads of a node that is not
// an element give absent or empty values.

#include "xml/attribute_text.h"
#include "xml/value_formatters.h"
#include "xml/xml_node.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallyvane {

class NodeSet;
class XPathFunctionResult;

class XMLElement : public XMLNode {
public:
    XMLElement(xmlNodePtr node, const XMLDocument& document);

    // Prefix of the node's namespace; absent without a namespace or prefix.
    std::optional<std::string> namespacePrefix() const;
    std::optional<std::string> tag() const;
    // Attributes by local name; of two with one local name the value is libxml2's lookup by that name.
    std::map<std::string, std::string> attributes() const;
    // The first attribute with that local name in any namespace (or the internal DTD's default).
    std::optional<std::string> attr(std::string_view name) const;
    // The same value without a copy, for reading it where it is only compared or parsed.
    std::optional<AttributeText> attrText(std::string_view name) const;
    // The attribute with that local name in the namespace with that URI.
    std::optional<std::string> attr(std::string_view name, std::string_view namespaceURI) const;

    // Element children in document order.
    std::vector<XMLElement> children() const;
    // Children of the listed kinds; element children come as elements, others as plain nodes.
    std::vector<XMLNode> childNodes(const std::vector<xmlElementType>& types) const;
    // First child of any kind whose name matches, ignoring ASCII case. With a namespace,
    // the child's namespace prefix (never its URI) must match as well.
    std::optional<XMLElement> firstChild(std::string_view tag,
                                         std::optional<std::string_view> namespacePrefix = std::nullopt) const;
    // Every element child whose name matches, as `firstChild` matches.
    std::vector<XMLElement> children(std::string_view tag,
                                     std::optional<std::string_view> namespacePrefix = std::nullopt) const;
    // The element child at the index; throws std::out_of_range outside the element children.
    XMLElement child(std::size_t index) const;

    bool hasEmptyValue() const;
    // `stringValue` read by the document's number and date formatters.
    std::optional<double> numberValue() const;
    std::optional<XMLDate> dateValue() const;

    // Queries with this element as the context node. `xpath`, `css` and the first-child forms
    // give an empty set or absent on failure; `checkedXPath` throws the XMLError.
    NodeSet xpath(std::string_view expression) const;
    NodeSet checkedXPath(std::string_view expression) const;
    std::optional<XMLElement> firstChildByXPath(std::string_view expression) const;
    NodeSet css(std::string_view selector) const;
    std::optional<XMLElement> firstChildByCSS(std::string_view selector) const;
    std::optional<XPathFunctionResult> evaluate(std::string_view expression) const;

private:
    friend struct detail::NodeMaker;
    friend class XMLNode;
    using XMLNode::XMLNode;
};

}  // namespace tallyvane
