#pragma once
// A parsed XML document. The handle shares ownership of the tree with every node, node
// set and result made from it; the tree is freed when the last of them is released.
//
// Parsing recovers from malformed text, never loads anything from the network or from
// external entities and DTDs, and never substitutes entities; a document whose entity
// references would stand for far more text than the input holds is refused.

#include "xml/node_set.h"
#include "xml/value_formatters.h"
#include "xml/xml_element.h"
#include "xml/xml_error.h"
#include "xml/xpath_function_result.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tallyvane {

class XMLDocument {
public:
    // Every parsing factory throws XMLError: `invalidData` for input it refuses (more than
    // INT_MAX bytes, text the encoding cannot represent), libxml2's own error when it
    // gives no document, otherwise `parserFailure`. An element with more attributes than
    // any real document holds is refused before parsing, as a `libXMLError`.

    // The UTF-8 text converted to the named encoding, parsed with a terminating NUL.
    static XMLDocument fromString(std::string_view text, std::string_view encodingName);
    // The NUL-terminated characters, their terminating NUL included.
    static XMLDocument fromCCharacters(const char* characters);
    static XMLDocument fromData(std::span<const std::byte> bytes);
    static XMLDocument fromBuffer(const char* start, std::size_t count);

    // How a parse for reading a whole document differs from the others.
    struct ParseOptions {
        // Called with each element of the document as the parser makes it: its parent and
        // its attributes are in place, its children are not yet. A reader that looks for a
        // few kinds of element finds them while they are still in the processor's cache
        // instead of walking the whole tree again. Elements of entities' replacement text
        // are not reported, nor is the root. What it throws stops the parse and is thrown on.
        std::function<void(xmlNodePtr element)> observeElement;
        // Whether attributes that a DTD declares as IDs are registered for XPath's id():
        // to find out, each attribute of the document is looked up among the declarations.
        bool registersIDs = true;
        // Whitespace-only text that stands between two elements, or between an element and
        // the start or end of its parent, lays out the markup and nothing more: where this
        // returns true for its parent, no node is made for it. Whitespace next to other
        // text, a comment, CDATA, an entity reference or a processing instruction is always
        // kept, and so is the text of an element without element children.
        std::function<bool(const xmlNode* parent)> dropsSpacingIn{};
    };
    static XMLDocument fromBuffer(const char* start, std::size_t count, const ParseOptions& options);

    // Takes ownership of a tree libxml2 made.
    explicit XMLDocument(xmlDocPtr owned);

    // The declared XML version; absent when there is none.
    std::optional<std::string> version() const;
    // The declared encoding's preferred name, "UTF-8" when none is declared or it is unknown.
    std::string encoding() const;
    std::optional<XMLElement> root() const { return root_; }

    const NumberFormatter& numberFormatter() const;
    void setNumberFormatter(NumberFormatter formatter);
    const DateFormatter& dateFormatter() const;
    void setDateFormatter(DateFormatter formatter);

    // Registered in every XPath evaluation on this document, after (and so over) the
    // declarations in the tree. A second definition of a prefix replaces the first.
    void defineNamespacePrefix(std::string prefix, std::string uri);
    // The same under the name libxml2 gives it.
    void registerNamespace(std::string prefix, std::string uri);
    const std::map<std::string, std::string>& namespaces() const;

    xmlDocPtr cDocument() const;
    // Whether the input ended with elements still open (cut off): what followed the cut
    // is missing from the recovered tree. Other faults libxml2 recovers from lose nothing.
    bool endedEarly() const;
    bool operator==(const XMLDocument& other) const { return cDocument() == other.cDocument(); }
    // The root's markup, "" without a root.
    std::string description() const;

    // The root element's queries; without a root, the empty set or absent.
    NodeSet xpath(std::string_view expression) const;
    NodeSet checkedXPath(std::string_view expression) const;
    std::optional<XMLElement> firstChildByXPath(std::string_view expression) const;
    NodeSet css(std::string_view selector) const;
    std::optional<XMLElement> firstChildByCSS(std::string_view selector) const;
    std::optional<XPathFunctionResult> evaluate(std::string_view expression) const;

protected:
    enum class Parser { xml, html };

    explicit XMLDocument(std::shared_ptr<detail::DocumentState> state);
    static std::shared_ptr<detail::DocumentState> parse(Parser parser, const char* start, std::size_t count,
                                                        const ParseOptions* options = nullptr);
    static std::shared_ptr<detail::DocumentState> parseString(Parser parser, std::string_view text,
                                                              std::string_view encodingName);
    static std::shared_ptr<detail::DocumentState> parseCCharacters(Parser parser, const char* characters);

private:
    friend class XMLNode;

    std::shared_ptr<detail::DocumentState> state_;
    std::optional<XMLElement> root_;
};

}  // namespace tallyvane
