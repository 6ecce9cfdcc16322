#include "xml/html_document.h"

namespace tallyvane {

HTMLDocument HTMLDocument::fromString(std::string_view text, std::string_view encodingName) {
    return HTMLDocument(parseString(Parser::html, text, encodingName));
}
HTMLDocument HTMLDocument::fromCCharacters(const char* characters) {
    return HTMLDocument(parseCCharacters(Parser::html, characters));
}
HTMLDocument HTMLDocument::fromData(std::span<const std::byte> bytes) {
    return HTMLDocument(parse(Parser::html, reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
HTMLDocument HTMLDocument::fromBuffer(const char* start, std::size_t count) {
    return HTMLDocument(parse(Parser::html, start, count));
}

HTMLDocument::HTMLDocument(xmlDocPtr owned) : XMLDocument(owned) {}

std::optional<XMLElement> HTMLDocument::head() const { return root() ? root()->firstChild("head") : std::nullopt; }

std::optional<XMLElement> HTMLDocument::body() const { return root() ? root()->firstChild("body") : std::nullopt; }

std::optional<std::string> HTMLDocument::title() const {
    std::optional<XMLElement> headElement = head();
    if (!headElement) return std::nullopt;
    std::optional<XMLElement> titleElement = headElement->firstChild("title");
    if (!titleElement) return std::nullopt;
    return titleElement->stringValue();
}

}  // namespace tallyvane
