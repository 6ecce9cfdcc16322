#pragma once
// A document parsed with libxml2's HTML parser (same options and factories).

#include "xml/xml_document.h"

namespace tallyvane {

class HTMLDocument : public XMLDocument {
public:
    static HTMLDocument fromString(std::string_view text, std::string_view encodingName);
    static HTMLDocument fromCCharacters(const char* characters);
    static HTMLDocument fromData(std::span<const std::byte> bytes);
    static HTMLDocument fromBuffer(const char* start, std::size_t count);

    explicit HTMLDocument(xmlDocPtr owned);

    // `stringValue` of the first "title" child of `head`.
    std::optional<std::string> title() const;
    // The first child of the root named "head" / "body", case ignored.
    std::optional<XMLElement> head() const;
    std::optional<XMLElement> body() const;

private:
    explicit HTMLDocument(std::shared_ptr<detail::DocumentState> state) : XMLDocument(std::move(state)) {}
};

}  // namespace tallyvane
