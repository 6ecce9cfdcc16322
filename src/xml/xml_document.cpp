#include "xml/xml_document.h"

#include "common/utf8.h"
#include "xml/attribute_limit.h"
#include "xml/document_state.h"
#include "xml/entity_expansion.h"
#include "xml/libxml_errors.h"
#include "xml/libxml_text.h"
#include "xml/node_internals.h"
#include "xml/parse_callbacks.h"
#include "xml/text_encoding.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>

#include <climits>
#include <exception>
#include <cstring>
#include <stdexcept>

namespace tallyvane {

namespace {

// Recover from malformed text, say nothing, never touch the network. Entities are never
// substituted and no external DTD or entity is loaded. Big line numbers keep the lines of
// long documents right past 65,535. The HTML parser reads the same bits the same way.
constexpr int parseOptions =
    XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET | XML_PARSE_BIG_LINES |
    XML_PARSE_COMPACT;

// Entity references may stand for this much text beyond ten times the input.
constexpr std::size_t entityAllowanceBytes = std::size_t{1} << 20;

struct XmlContextFree {
    void operator()(xmlParserCtxtPtr context) const { xmlFreeParserCtxt(context); }
};
struct HtmlContextFree {
    void operator()(htmlParserCtxtPtr context) const { htmlFreeParserCtxt(context); }
};

// `endedEarly` tells whether elements were still open when the input ran out: recovery
// then closed them at the cut, and whatever followed is lost.
template <class Context, class Free, class Read>
xmlDocPtr readWith(Context* context, Read read, const char* start, int count, bool& endedEarly,
                   const std::function<void(Context*)>& prepare = {}) {
    std::unique_ptr<Context, Free> owned(context);
    if (!owned) return nullptr;
    if (prepare) prepare(owned.get());
    xmlDocPtr doc = read(owned.get(), start, count, "", nullptr, parseOptions);
    endedEarly = owned->nameNr > 0;
    return doc;
}

}  // namespace

std::shared_ptr<detail::DocumentState> XMLDocument::parse(Parser parser, const char* start, std::size_t count,
                                                         const ParseOptions* options) {
    // libxml2 takes the length as an int.
    if (count > static_cast<std::size_t>(INT_MAX) || (start == nullptr && count > 0)) throw XMLError::invalidData();
    if (detail::exceedsAttributeLimit(start, count)) {
        throw XMLError::libXMLError(XML_ERR_USER_STOP, "An element has more than " +
                                                           std::to_string(detail::kMostAttributesPerElement) +
                                                           " attributes, far more than any real document holds.");
    }
    const int length = static_cast<int>(count);
    bool endedEarly = false;
    // Errors outside the parser's own context (encodings, input buffers) would otherwise
    // be printed on standard error.
    const detail::ErrorCapture capture;
    // The error of a failed parse is libxml2's last one, so none of an earlier call may linger.
    xmlResetLastError();
    detail::Reading reading{.options = options};
    std::function<void(xmlParserCtxtPtr)> prepare;
    if (options) prepare = [&](xmlParserCtxtPtr context) { detail::installCallbacks(context, reading); };
    xmlDocPtr doc = parser == Parser::html
                        ? readWith<htmlParserCtxt, HtmlContextFree>(htmlNewParserCtxt(), htmlCtxtReadMemory, start,
                                                                    length, endedEarly)
                        : readWith<xmlParserCtxt, XmlContextFree>(xmlNewParserCtxt(), xmlCtxtReadMemory, start,
                                                                  length, endedEarly, prepare);
    if (reading.failure) {
        xmlFreeDoc(doc);
        std::rethrow_exception(reading.failure);
    }
    if (doc == nullptr) throw XMLError::lastError(XMLError::parserFailure());
    // What recovery got over is no error of the document.
    xmlResetLastError();
    auto state = std::make_shared<detail::DocumentState>(doc);
    state->endedEarly = endedEarly;
    state->wellFormedText = isValidUtf8(std::string_view(start, count));
    if (detail::entityExpansionExceeds(doc, count * 10 + entityAllowanceBytes)) throw XMLError::invalidData();
    return state;
}

std::shared_ptr<detail::DocumentState> XMLDocument::parseString(Parser parser, std::string_view text,
                                                                std::string_view encodingName) {
    std::optional<std::string> bytes = detail::encodeWithNul(text, encodingName);
    if (!bytes) throw XMLError::invalidData();
    return parse(parser, bytes->data(), bytes->size());
}

std::shared_ptr<detail::DocumentState> XMLDocument::parseCCharacters(Parser parser, const char* characters) {
    if (characters == nullptr) throw XMLError::invalidData();
    return parse(parser, characters, std::strlen(characters) + 1);
}

XMLDocument XMLDocument::fromString(std::string_view text, std::string_view encodingName) {
    return XMLDocument(parseString(Parser::xml, text, encodingName));
}
XMLDocument XMLDocument::fromCCharacters(const char* characters) {
    return XMLDocument(parseCCharacters(Parser::xml, characters));
}
XMLDocument XMLDocument::fromData(std::span<const std::byte> bytes) {
    return XMLDocument(parse(Parser::xml, reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
XMLDocument XMLDocument::fromBuffer(const char* start, std::size_t count) {
    return XMLDocument(parse(Parser::xml, start, count));
}
XMLDocument XMLDocument::fromBuffer(const char* start, std::size_t count, const ParseOptions& options) {
    return XMLDocument(parse(Parser::xml, start, count, &options));
}

XMLDocument::XMLDocument(xmlDocPtr owned) : XMLDocument(std::make_shared<detail::DocumentState>(owned)) {
    if (owned == nullptr) throw std::invalid_argument("XMLDocument needs a libxml2 document");
}

XMLDocument::XMLDocument(std::shared_ptr<detail::DocumentState> state) : state_(std::move(state)) {
    if (state_->doc == nullptr) return;
    if (xmlNodePtr root = xmlDocGetRootElement(state_->doc)) root_ = detail::NodeMaker::root(state_, root);
}

std::optional<std::string> XMLDocument::version() const {
    auto& cached = state_->version;
    if (!cached) cached = detail::nameFrom(state_->doc->version);
    return *cached;
}

std::string XMLDocument::encoding() const {
    auto& cached = state_->encoding;
    if (!cached) cached = detail::preferredEncodingName(reinterpret_cast<const char*>(state_->doc->encoding));
    return *cached;
}

const NumberFormatter& XMLDocument::numberFormatter() const { return state_->numberFormatterOrDefault(); }
void XMLDocument::setNumberFormatter(NumberFormatter formatter) { state_->numberFormatter = std::move(formatter); }
const DateFormatter& XMLDocument::dateFormatter() const { return state_->dateFormatterOrDefault(); }
void XMLDocument::setDateFormatter(DateFormatter formatter) { state_->dateFormatter = std::move(formatter); }

void XMLDocument::defineNamespacePrefix(std::string prefix, std::string uri) {
    state_->namespaces[std::move(prefix)] = std::move(uri);
}

void XMLDocument::registerNamespace(std::string prefix, std::string uri) {
    defineNamespacePrefix(std::move(prefix), std::move(uri));
}

const std::map<std::string, std::string>& XMLDocument::namespaces() const { return state_->namespaces; }

xmlDocPtr XMLDocument::cDocument() const { return state_->doc; }
bool XMLDocument::endedEarly() const { return state_->endedEarly; }

std::string XMLDocument::description() const { return root_ ? root_->rawXML() : std::string(); }

NodeSet XMLDocument::xpath(std::string_view expression) const {
    return root_ ? root_->xpath(expression) : NodeSet();
}
NodeSet XMLDocument::checkedXPath(std::string_view expression) const {
    return root_ ? root_->checkedXPath(expression) : NodeSet();
}
std::optional<XMLElement> XMLDocument::firstChildByXPath(std::string_view expression) const {
    return root_ ? root_->firstChildByXPath(expression) : std::nullopt;
}
NodeSet XMLDocument::css(std::string_view selector) const { return root_ ? root_->css(selector) : NodeSet(); }
std::optional<XMLElement> XMLDocument::firstChildByCSS(std::string_view selector) const {
    return root_ ? root_->firstChildByCSS(selector) : std::nullopt;
}
std::optional<XPathFunctionResult> XMLDocument::evaluate(std::string_view expression) const {
    return root_ ? root_->evaluate(expression) : std::nullopt;
}

}  // namespace tallyvane
