#include "xml/xml_element.h"

#include "common/utf8.h"
#include "xml/css_selector.h"
#include "xml/document_state.h"
#include "xml/libxml_text.h"
#include "xml/node_access.h"
#include "xml/node_internals.h"
#include "xml/node_set.h"
#include "xml/xml_document.h"
#include "xml/xpath_evaluation.h"
#include "xml/xpath_function_result.h"

#include <libxml/tree.h>

#include <algorithm>
#include <stdexcept>

namespace tallyvane {

namespace {

// ASCII case-insensitive equality of a name argument with libxml2 characters, as
// xmlStrcasecmp compares them (a NUL inside the argument never matches).
unsigned char asciiLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

bool sameIgnoringCase(std::string_view text, const xmlChar* chars) {
    if (chars == nullptr) return false;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        if (chars[i] == 0 || asciiLower(static_cast<unsigned char>(text[i])) != asciiLower(chars[i])) return false;
    }
    return chars[i] == 0;
}

bool nameMatches(const xmlNode* child, std::string_view tag, std::optional<std::string_view> namespacePrefix) {
    if (!sameIgnoringCase(tag, detail::nameOf(child))) return false;
    if (!namespacePrefix) return true;
    return sameIgnoringCase(*namespacePrefix, detail::namespacePrefixOf(child));
}

// Whether libxml2's lookup could find a value the element does not hold: a default that
// the internal DTD (or, through it, the external one) declares.
bool declaresAttributeDefaults(const xmlDoc* doc) {
    if (doc == nullptr || doc->intSubset == nullptr) return false;
    return doc->intSubset->attributes != nullptr || (doc->extSubset != nullptr && doc->extSubset->attributes != nullptr);
}

std::optional<std::string> owned(xmlChar* value) {
    if (value == nullptr) return std::nullopt;
    return detail::takeText(value);
}

// Nearly every value is one text node: read in place rather than through a copy that
// libxml2 allocates. Absent when the value is made of several nodes. `wellFormed` tells
// that the whole document's text is well-formed UTF-8.
inline std::optional<AttributeText> inPlaceValue(const xmlAttr* attribute, bool wellFormed) {
    const xmlNode* value = attribute->children;
    if (value == nullptr || value->next != nullptr || value->content == nullptr ||
        (value->type != XML_TEXT_NODE && value->type != XML_CDATA_SECTION_NODE)) {
        return std::nullopt;
    }
    const std::string_view inPlace(reinterpret_cast<const char*>(value->content));
    if (wellFormed || isValidUtf8(inPlace)) return AttributeText(inPlace);
    return AttributeText(sanitizeUtf8(inPlace));
}

}  // namespace

XMLElement::XMLElement(xmlNodePtr node, const XMLDocument& document) : XMLNode(node, document, true) {}

std::optional<std::string> XMLElement::namespacePrefix() const {
    auto& cached = cache().namespacePrefix;
    if (!cached) cached = detail::nameFrom(detail::namespacePrefixOf(cNode()));
    return *cached;
}

// Read straight from the node: a cache would cost an allocation per element for a copy
// that is no cheaper than the one handed out.
std::optional<std::string> XMLElement::tag() const { return detail::nameFrom(detail::nameOf(cNode())); }

// Not cached: each caller reads an element's attributes once, and a cache would keep a map
// alive for every element that is itself kept, such as each asset's resource. Each value is
// the one `attr` gives for its name: the first attribute of a name wins.
std::map<std::string, std::string> XMLElement::attributes() const {
    std::map<std::string, std::string> result;
    for (const xmlAttr* attribute = detail::attributesOf(cNode()); attribute != nullptr; attribute = attribute->next) {
        if (attribute->name == nullptr) continue;
        const std::string_view name(reinterpret_cast<const char*>(attribute->name));
        // A name that is no text could not be asked for by name either.
        if (!isValidUtf8(name) || result.contains(std::string(name))) continue;
        if (std::optional<AttributeText> value = inPlaceValue(attribute, state()->wellFormedText)) {
            result.emplace(name, std::move(*value).str());
        } else if (std::optional<std::string> composed =
                       owned(xmlNodeGetContent(reinterpret_cast<const xmlNode*>(attribute)))) {
            result.emplace(name, std::move(*composed));
        }
    }
    return result;
}

std::optional<std::string> XMLElement::attr(std::string_view name) const {
    std::optional<AttributeText> text = attrText(name);
    if (!text) return std::nullopt;
    return std::move(*text).str();
}

std::optional<AttributeText> XMLElement::attrText(std::string_view name) const {
    if (cNode()->type != XML_ELEMENT_NODE) return std::nullopt;
    // A name holding a NUL matches no attribute here.
    bool present = false;
    for (const xmlAttr* attribute = cNode()->properties; attribute != nullptr; attribute = attribute->next) {
        if (!detail::isNamed(attribute->name, name)) continue;
        present = true;
        if (std::optional<AttributeText> value = inPlaceValue(attribute, state()->wellFormedText)) return value;
        break;
    }
    if (!present && !declaresAttributeDefaults(cNode()->doc)) return std::nullopt;
    if (name.find('\0') != std::string_view::npos) return std::nullopt;
    const std::string key(name);
    std::optional<std::string> composed = owned(xmlGetProp(cNode(), reinterpret_cast<const xmlChar*>(key.c_str())));
    if (!composed) return std::nullopt;
    return AttributeText(std::move(*composed));
}

std::optional<std::string> XMLElement::attr(std::string_view name, std::string_view namespaceURI) const {
    if (cNode()->type != XML_ELEMENT_NODE || name.find('\0') != std::string_view::npos ||
        namespaceURI.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string key(name), uri(namespaceURI);
    return owned(xmlGetNsProp(cNode(), reinterpret_cast<const xmlChar*>(key.c_str()),
                              reinterpret_cast<const xmlChar*>(uri.c_str())));
}

std::vector<XMLElement> XMLElement::children() const {
    std::vector<XMLElement> result;
    for (xmlNodePtr child = detail::firstChildOf(cNode()); child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE) result.push_back(relative(child));
    }
    return result;
}

std::vector<XMLNode> XMLElement::childNodes(const std::vector<xmlElementType>& types) const {
    std::vector<XMLNode> result;
    for (xmlNodePtr child = detail::firstChildOf(cNode()); child != nullptr; child = child->next) {
        if (std::find(types.begin(), types.end(), child->type) == types.end()) continue;
        if (child->type == XML_ELEMENT_NODE) {
            result.push_back(relative(child));
        } else {
            result.push_back(detail::NodeMaker::plainNode(state(), child));
        }
    }
    return result;
}

std::optional<XMLElement> XMLElement::firstChild(std::string_view tag,
                                                 std::optional<std::string_view> namespacePrefix) const {
    for (xmlNodePtr child = detail::firstChildOf(cNode()); child != nullptr; child = child->next) {
        if (nameMatches(child, tag, namespacePrefix)) return relative(child);
    }
    return std::nullopt;
}

std::vector<XMLElement> XMLElement::children(std::string_view tag,
                                             std::optional<std::string_view> namespacePrefix) const {
    std::vector<XMLElement> result;
    for (xmlNodePtr child = detail::firstChildOf(cNode()); child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && nameMatches(child, tag, namespacePrefix)) result.push_back(relative(child));
    }
    return result;
}

XMLElement XMLElement::child(std::size_t index) const {
    std::size_t position = 0;
    for (xmlNodePtr child = detail::firstChildOf(cNode()); child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        if (position == index) return relative(child);
        ++position;
    }
    throw std::out_of_range("XMLElement::child: index " + std::to_string(index) + " of " +
                            std::to_string(position) + " element children");
}

bool XMLElement::hasEmptyValue() const { return stringValue().empty(); }

std::optional<double> XMLElement::numberValue() const {
    auto& cached = cache().numberValue;
    if (!cached) cached = state()->numberFormatterOrDefault()(stringValue());
    return *cached;
}

std::optional<XMLDate> XMLElement::dateValue() const {
    auto& cached = cache().dateValue;
    if (!cached) cached = state()->dateFormatterOrDefault()(stringValue());
    return *cached;
}

NodeSet XMLElement::checkedXPath(std::string_view expression) const {
    return NodeSet(detail::evaluateXPath(state(), cNode(), expression));
}

NodeSet XMLElement::xpath(std::string_view expression) const {
    try {
        return checkedXPath(expression);
    } catch (const XMLError&) {
        return NodeSet();
    }
}

std::optional<XMLElement> XMLElement::firstChildByXPath(std::string_view expression) const {
    return xpath(expression).first();
}

NodeSet XMLElement::css(std::string_view selector) const { return xpath(xpathForCSS(selector)); }

std::optional<XMLElement> XMLElement::firstChildByCSS(std::string_view selector) const {
    return css(selector).first();
}

std::optional<XPathFunctionResult> XMLElement::evaluate(std::string_view expression) const {
    try {
        return XPathFunctionResult(detail::evaluateXPath(state(), cNode(), expression));
    } catch (const XMLError&) {
        return std::nullopt;
    }
}

}  // namespace tallyvane
